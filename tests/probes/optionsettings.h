#pragma once

#include <QAbstractButton>
#include <QSettings>
#include <QTest>
#include <QVariant>

// The probe option widgets' stores (organisation "Kvarn", one application per
// widget class), read and written as the widgets do.
namespace OptionSettings {

inline QVariant stored(const char* application, const char* key)
{
    QSettings settings(QStringLiteral("Kvarn"), QString::fromLatin1(application));
    return settings.value(QString::fromLatin1(key));
}

inline void store(const char* application, const char* key, const QVariant& value)
{
    QSettings settings(QStringLiteral("Kvarn"), QString::fromLatin1(application));
    settings.setValue(QString::fromLatin1(key), value);
}

// Clicks where the indicator of a check box or radio button is: the middle of
// a wide button lies beyond its short text and would not toggle it.
inline void clickIndicator(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(6, button->height() / 2));
}

} // namespace OptionSettings
