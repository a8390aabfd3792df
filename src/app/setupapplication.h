#pragma once

#include <QByteArray>
#include <QString>

class QApplication;
class QWidget;

// One-time set-up of the application object: style, icon, name, font, style
// sheet, preferences and the interface translations.
void setupApplication(QApplication& app);

// Gives a widget the application font and style sheet.
void applyAppStyle(QWidget* widget);

// Style sheet text as stored: Latin-1, up to the first zero byte.
QString styleSheetFromBytes(const QByteArray& bytes);
