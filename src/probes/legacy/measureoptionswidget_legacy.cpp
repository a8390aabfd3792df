#include "probes/legacy/measureoptionswidget_legacy.h"

#include "probes/legacy/legacyspecifications.h"
#include "survey/acquisitionconstants.h"

#include <QSettings>

MeasureOptionsWidget_Legacy::MeasureOptionsWidget_Legacy(QWidget* parent)
    : MeasureOptionsWidget(parent)
{
    setupUi(this);
    QSettings settings(acquisitionProgramName, QStringLiteral("MeasureOptionsWidget_Legacy"));
    for (int f = 0; f < LegacySpecifications::frequencyCount; ++f) {
        const QString key = QStringLiteral("f%1").arg(f + 1);
        frequencyBox(f)->setChecked(settings.value(key, true).toBool());
    }
}

MeasureOptionsWidget_Legacy::~MeasureOptionsWidget_Legacy()
{
    QSettings settings(acquisitionProgramName, QStringLiteral("MeasureOptionsWidget_Legacy"));
    for (int f = 0; f < LegacySpecifications::frequencyCount; ++f)
        settings.setValue(QStringLiteral("f%1").arg(f + 1), frequencyBox(f)->isChecked());
}

QCheckBox* MeasureOptionsWidget_Legacy::frequencyBox(int f) const
{
    QCheckBox* const boxes[LegacySpecifications::frequencyCount] = {
        f1CheckBox, f2CheckBox,  f3CheckBox,  f4CheckBox,  f5CheckBox,  f6CheckBox,  f7CheckBox,
        f8CheckBox, f9CheckBox, f10CheckBox, f11CheckBox, f12CheckBox, f13CheckBox, f14CheckBox};
    if (f < 0 || f >= LegacySpecifications::frequencyCount)
        return nullptr;
    return boxes[f];
}
