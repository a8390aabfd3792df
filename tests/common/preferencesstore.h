#pragma once

#include "common/testsupport.h"

#include "shared/applicationconstants.h"
#include "shared/preferences.h"

#include <QSettings>
#include <QStringList>
#include <QVariant>

// The preferences' own settings store, read and written behind their back.
namespace PreferencesStore {

// No preferences object and nothing stored: the next use reads afresh.
inline void reset()
{
    Preferences::destroy();
    TestSupport::clearAllSettings();
}

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
