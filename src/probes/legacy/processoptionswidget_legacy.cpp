#include "probes/legacy/processoptionswidget_legacy.h"

#include "probes/storedoption.h"
#include "survey/acquisitionconstants.h"

#include <QSettings>

ProcessOptionsWidget_Legacy::ProcessOptionsWidget_Legacy(QWidget* parent)
    : ProcessOptionsWidget(parent)
{
    setupUi(this);
    QSettings settings(acquisitionProgramName, QStringLiteral("ProcessOptionsWidget_Legacy"));
    StoredOption::restoreChoice(settings, QStringLiteral("signalPart"),
                                {absValueRadioButton, realPartRadioButton, imagPartRadioButton});
    // Only now, so that restoring the choice emits nothing.
    for (QAbstractButton* button : {absValueRadioButton, realPartRadioButton, imagPartRadioButton})
        connect(button, &QAbstractButton::clicked, this, &ProcessOptionsWidget::optionsChanged);
}

ProcessOptionsWidget_Legacy::~ProcessOptionsWidget_Legacy()
{
    QSettings settings(acquisitionProgramName, QStringLiteral("ProcessOptionsWidget_Legacy"));
    settings.setValue(QStringLiteral("signalPart"), signalPart());
}

int ProcessOptionsWidget_Legacy::signalPart() const
{
    if (realPartRadioButton->isChecked())
        return 1;
    if (imagPartRadioButton->isChecked())
        return 2;
    return 0;
}
