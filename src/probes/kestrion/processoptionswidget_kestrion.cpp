#include "probes/kestrion/processoptionswidget_kestrion.h"

#include "probes/storedoption.h"
#include "survey/acquisitionconstants.h"

#include <QSettings>

ProcessOptionsWidget_Kestrion::ProcessOptionsWidget_Kestrion(QWidget* parent)
    : ProcessOptionsWidget(parent)
{
    setupUi(this);
    // Connected before loading, so that a stored value type other than the
    // EMF already hides the signal parts.
    connect(m_valueTypeComboBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &ProcessOptionsWidget_Kestrion::on_currentIndexChanged);

    QSettings settings(acquisitionProgramName, QStringLiteral("ProcessOptionsWidget_Kestrion"));
    StoredOption::restoreIndex(settings, QStringLiteral("valueType"), m_valueTypeComboBox);
    StoredOption::restoreChoice(settings, QStringLiteral("signalPart"),
                                {absValueRadioButton, realPartRadioButton, imagPartRadioButton});
    userAirCalibrationCheckBox->setChecked(
        settings.value(QStringLiteral("userAirCalibration"), false).toBool());

    // Only now, so that loading the stored state emits nothing.
    connect(m_valueTypeComboBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &ProcessOptionsWidget::optionsChanged);
    const QList<QAbstractButton*> buttons = {absValueRadioButton, realPartRadioButton,
                                             imagPartRadioButton, userAirCalibrationCheckBox};
    for (QAbstractButton* button : buttons)
        connect(button, &QAbstractButton::clicked, this, &ProcessOptionsWidget::optionsChanged);
}

ProcessOptionsWidget_Kestrion::~ProcessOptionsWidget_Kestrion()
{
    QSettings settings(acquisitionProgramName, QStringLiteral("ProcessOptionsWidget_Kestrion"));
    settings.setValue(QStringLiteral("valueType"), m_valueTypeComboBox->currentIndex());
    settings.setValue(QStringLiteral("signalPart"), signalPart());
    settings.setValue(QStringLiteral("userAirCalibration"), userAirCalibrationCheckBox->isChecked());
}

int ProcessOptionsWidget_Kestrion::valueType() const
{
    return m_valueTypeComboBox->currentIndex();
}

int ProcessOptionsWidget_Kestrion::signalPart() const
{
    if (realPartRadioButton->isChecked())
        return 1;
    if (imagPartRadioButton->isChecked())
        return 2;
    return 0;
}

bool ProcessOptionsWidget_Kestrion::userAirCalibration() const
{
    return userAirCalibrationCheckBox->isChecked();
}

void ProcessOptionsWidget_Kestrion::on_currentIndexChanged(int index)
{
    const bool visible = index == 0;
    absValueRadioButton->setVisible(visible);
    realPartRadioButton->setVisible(visible);
    imagPartRadioButton->setVisible(visible);
}
