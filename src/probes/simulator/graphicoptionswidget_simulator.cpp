#include "probes/simulator/graphicoptionswidget_simulator.h"

#include "survey/acquisitionconstants.h"

#include <QSettings>

GraphicOptionsWidget_Simulator::GraphicOptionsWidget_Simulator(QWidget* parent)
    : GraphicOptionsWidget(parent)
{
    setupUi(this);
    QSettings settings(acquisitionProgramName, QStringLiteral("GraphicOptionsWidget_Simulator"));
    int f = settings.value(QStringLiteral("f"), 0).toInt();
    if (f < 0 || f >= fComboBox->count())
        f = 0;
    fComboBox->setCurrentIndex(f);
    connect(fComboBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &GraphicOptionsWidget::optionsChanged);
}

GraphicOptionsWidget_Simulator::~GraphicOptionsWidget_Simulator()
{
    QSettings settings(acquisitionProgramName, QStringLiteral("GraphicOptionsWidget_Simulator"));
    settings.setValue(QStringLiteral("f"), fComboBox->currentIndex());
}
