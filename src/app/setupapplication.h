#pragma once

#include <QByteArray>
#include <QString>

class QApplication;
class QWidget;

// Names the system's own time zone for the whole process when TZ is unset,
// so that the C library reads it once rather than looking at its file again
// for every local time it converts. Every time keeps its meaning. Call it
// first thing in main, before any thread exists.
void fixProcessTimeZone();

// One-time set-up of the application object: style, icon, name, font, style
// sheet, preferences and the interface translations.
void setupApplication(QApplication& app);

// Gives a widget the application font and style sheet.
void applyAppStyle(QWidget* widget);

// Style sheet text as stored: Latin-1, up to the first zero byte.
QString styleSheetFromBytes(const QByteArray& bytes);
