#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QList>
#include <QSettings>
#include <QString>

// Options that the probe option widgets keep in their settings stores.
class StoredOption
{
public:
    // Puts the stored item index back into the combo box. A damaged or foreign
    // store must not leave it without a current item: an index outside the
    // items (or no number) selects the first one.
    static void restoreIndex(const QSettings& settings, const QString& key, QComboBox* comboBox)
    {
        int index = settings.value(key, 0).toInt();
        if (index < 0 || index >= comboBox->count())
            index = 0;
        comboBox->setCurrentIndex(index);
    }

    // Clicks the button of the stored index among buttons; an index outside
    // them (or no number) clicks the first.
    static void restoreChoice(const QSettings& settings, const QString& key,
                              const QList<QAbstractButton*>& buttons)
    {
        int index = settings.value(key, 0).toInt();
        if (index < 0 || index >= buttons.size())
            index = 0;
        buttons.at(index)->click();
    }
};
