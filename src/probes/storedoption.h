#pragma once

#include <QComboBox>
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
};
