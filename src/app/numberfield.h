#pragma once

#include <QString>

class QDoubleValidator;
class QObject;

// Number fields of the dialogs: two decimals, always a decimal point,
// whatever the desktop's locale.
class NumberField
{
public:
    // A validator for 2 decimals in the C locale, group separators rejected.
    static QDoubleValidator* createValidator(QObject* parent);
    // "%1" in fixed notation with 2 decimals.
    static QString text(double value);
    // The text as a number with a decimal point; 0 when it does not parse.
    static double value(const QString& text);
};
