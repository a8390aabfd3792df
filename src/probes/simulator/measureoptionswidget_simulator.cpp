#include "probes/simulator/measureoptionswidget_simulator.h"

#include "survey/acquisitionconstants.h"

#include <QSettings>

MeasureOptionsWidget_Simulator::MeasureOptionsWidget_Simulator(QWidget* parent)
    : MeasureOptionsWidget(parent)
{
    setupUi(this);
    QSettings settings(acquisitionProgramName, QStringLiteral("MeasureOptionsWidget_Simulator"));
    for (int i = 0; i < 5; ++i)
        channelBox(i)->setChecked(settings.value(QStringLiteral("f%1").arg(i + 1), true).toBool());
}

MeasureOptionsWidget_Simulator::~MeasureOptionsWidget_Simulator()
{
    QSettings settings(acquisitionProgramName, QStringLiteral("MeasureOptionsWidget_Simulator"));
    for (int i = 0; i < 5; ++i)
        settings.setValue(QStringLiteral("f%1").arg(i + 1), channelBox(i)->isChecked());
}

QCheckBox* MeasureOptionsWidget_Simulator::channelBox(int i) const
{
    QCheckBox* const boxes[] = {f1CheckBox, f2CheckBox, f3CheckBox, f4CheckBox, f5CheckBox};
    return boxes[i];
}
