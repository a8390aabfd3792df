#pragma once

#include <QLocale>
#include <QString>
#include <QValidator>

class QDoubleValidator;
class QObject;

// Number fields of the dialogs: two decimals in standard notation within a
// range that fits what the field holds. A decimal comma is taken as the
// decimal point and turned into one as it is typed, so numbers are always
// shown, read and stored with a point, whatever the desktop's locale.
class NumberField
{
public:
    enum Kind {
        Metres,  // coordinates, heights and sizes in local metres
        Degrees, // an angle of rotation
        Values   // a measured value
    };

    // The C locale without group separators, in which the fields write numbers.
    static QLocale locale();
    // The largest magnitude a field of the kind holds.
    static double limit(Kind kind);
    // A validator for fields of the kind: C locale, group separators rejected.
    static QDoubleValidator* createValidator(Kind kind, QObject* parent);
    // What such a validator says of a number typed into a field that holds
    // bottom ... top with the given decimals; a comma in text becomes a point.
    static QValidator::State validate(QString& text, double bottom, double top, int decimals);
    // "%1" in fixed notation with 2 decimals.
    static QString text(double value);
    // The text as a number, with a decimal point or comma; 0 when it does not
    // parse or is not finite.
    static double value(const QString& text);
};
