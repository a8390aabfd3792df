#include "probes/simulator/processoptionswidget_simulator.h"

#include "survey/acquisitionconstants.h"

#include <QSettings>

ProcessOptionsWidget_Simulator::ProcessOptionsWidget_Simulator(QWidget* parent)
    : ProcessOptionsWidget(parent)
{
    setupUi(this);
    QSettings settings(acquisitionProgramName, QStringLiteral("ProcessOptionsWidget_Simulator"));
    addHorizontalSlider->setValue(settings.value(QStringLiteral("add"), 0).toInt());
    connect(addHorizontalSlider, &QSlider::valueChanged, this, &ProcessOptionsWidget::optionsChanged);
}

ProcessOptionsWidget_Simulator::~ProcessOptionsWidget_Simulator()
{
    QSettings settings(acquisitionProgramName, QStringLiteral("ProcessOptionsWidget_Simulator"));
    settings.setValue(QStringLiteral("add"), addHorizontalSlider->value());
}
