#include "app/numberspinbox.h"

#include "shared/numberfield.h"

NumberSpinBox::NumberSpinBox(QWidget* parent) : QDoubleSpinBox(parent)
{
    // Numbers are written with a decimal point, whatever the desktop's locale.
    setLocale(NumberField::locale());
}

QValidator::State NumberSpinBox::validate(QString& text, int& pos) const
{
    if (NumberField::validate(text, minimum(), maximum(), decimals()) == QValidator::Invalid)
        return QValidator::Invalid;
    return QDoubleSpinBox::validate(text, pos);
}
