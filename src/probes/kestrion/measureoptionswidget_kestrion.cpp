#include "probes/kestrion/measureoptionswidget_kestrion.h"

#include "survey/acquisitionconstants.h"

#include <QSettings>

MeasureOptionsWidget_Kestrion::MeasureOptionsWidget_Kestrion(QWidget* parent)
    : MeasureOptionsWidget(parent)
{
    setupUi(this);
    QSettings settings(acquisitionProgramName, QStringLiteral("MeasureOptionsWidget_Kestrion"));
    f1CheckBox->setChecked(settings.value(QStringLiteral("f1"), true).toBool());
    f2CheckBox->setChecked(settings.value(QStringLiteral("f2"), true).toBool());
    f3CheckBox->setChecked(settings.value(QStringLiteral("f3"), true).toBool());
}

MeasureOptionsWidget_Kestrion::~MeasureOptionsWidget_Kestrion()
{
    QSettings settings(acquisitionProgramName, QStringLiteral("MeasureOptionsWidget_Kestrion"));
    settings.setValue(QStringLiteral("f1"), f1CheckBox->isChecked());
    settings.setValue(QStringLiteral("f2"), f2CheckBox->isChecked());
    settings.setValue(QStringLiteral("f3"), f3CheckBox->isChecked());
}
