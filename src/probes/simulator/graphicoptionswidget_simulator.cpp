#include "probes/simulator/graphicoptionswidget_simulator.h"

#include "probes/storedoption.h"
#include "survey/acquisitionconstants.h"

#include <QSettings>

GraphicOptionsWidget_Simulator::GraphicOptionsWidget_Simulator(QWidget* parent)
    : GraphicOptionsWidget(parent)
{
    setupUi(this);
    QSettings settings(acquisitionProgramName, QStringLiteral("GraphicOptionsWidget_Simulator"));
    StoredOption::restoreIndex(settings, QStringLiteral("f"), fComboBox);
    connect(fComboBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &GraphicOptionsWidget::optionsChanged);
}

GraphicOptionsWidget_Simulator::~GraphicOptionsWidget_Simulator()
{
    QSettings settings(acquisitionProgramName, QStringLiteral("GraphicOptionsWidget_Simulator"));
    settings.setValue(QStringLiteral("f"), fComboBox->currentIndex());
}
