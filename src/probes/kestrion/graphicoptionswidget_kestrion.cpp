#include "probes/kestrion/graphicoptionswidget_kestrion.h"

#include "survey/acquisitionconstants.h"

#include <QSettings>

GraphicOptionsWidget_Kestrion::GraphicOptionsWidget_Kestrion(QWidget* parent)
    : GraphicOptionsWidget(parent)
{
    setupUi(this);
    QSettings settings(acquisitionProgramName, QStringLiteral("GraphicOptionsWidget_Kestrion"));
    int f = settings.value(QStringLiteral("f"), 0).toInt();
    // A damaged or foreign store must not leave the frequency unselected.
    if (f < 0 || f >= fComboBox->count())
        f = 0;
    fComboBox->setCurrentIndex(f);
    connect(fComboBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &GraphicOptionsWidget::optionsChanged);
}

GraphicOptionsWidget_Kestrion::~GraphicOptionsWidget_Kestrion()
{
    QSettings settings(acquisitionProgramName, QStringLiteral("GraphicOptionsWidget_Kestrion"));
    settings.setValue(QStringLiteral("f"), fComboBox->currentIndex());
}
