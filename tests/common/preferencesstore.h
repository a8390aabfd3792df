#pragma once

#include "shared/applicationconstants.h"

#include <QSettings>
#include <QStringList>
#include <QVariant>

// The preferences' own settings store, read and written behind their back.
namespace PreferencesStore {

inline QVariant storedValue(const QString& key)
{
    QSettings settings(applicationName, QStringLiteral("Preferences"));
    return settings.value(key);
}

inline QStringList storedKeys()
{
    QSettings settings(applicationName, QStringLiteral("Preferences"));
    return settings.allKeys();
}

inline void storeValue(const QString& key, const QVariant& value)
{
    QSettings settings(applicationName, QStringLiteral("Preferences"));
    settings.setValue(key, value);
    settings.sync();
}

} // namespace PreferencesStore
