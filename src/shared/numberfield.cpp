#include "shared/numberfield.h"

#include <QDoubleValidator>

#include <cmath>

namespace {

constexpr int fieldDecimals = 2;

QString withDecimalPoint(QString text)
{
    return text.replace(QLatin1Char(','), QLatin1Char('.'));
}

class BoundedValidator : public QDoubleValidator
{
public:
    BoundedValidator(double bottom, double top, int decimals, QObject* parent)
        : QDoubleValidator(bottom, top, decimals, parent)
    {
        setNotation(StandardNotation);
        setLocale(NumberField::locale());
    }

    State validate(QString& input, int& pos) const override
    {
        // One character for another: the cursor stays where it was.
        input = withDecimalPoint(input);
        const State state = QDoubleValidator::validate(input, pos);
        if (state != Intermediate)
            return state;
        // Typing on can only move a number further from zero, so a number
        // past the bound on its own side of zero never becomes acceptable.
        bool ok = false;
        const double number = input.toDouble(&ok);
        if (ok && ((number > top() && number > 0.0) || (number < bottom() && number < 0.0)))
            return Invalid;
        return state;
    }
};

} // namespace

QLocale NumberField::locale()
{
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return c;
}

double NumberField::limit(Kind kind)
{
    switch (kind) {
    case Metres:
        // No survey reaches 10,000 km from its local origin.
        return 1e7;
    case Degrees:
        return 360.0;
    case Values:
        break;
    }
    return 1e9;
}

QDoubleValidator* NumberField::createValidator(Kind kind, QObject* parent)
{
    return new BoundedValidator(-limit(kind), limit(kind), fieldDecimals, parent);
}

QValidator::State NumberField::validate(QString& text, double bottom, double top, int decimals)
{
    int pos = 0;
    return BoundedValidator(bottom, top, decimals, nullptr).validate(text, pos);
}

QString NumberField::text(double value)
{
    return QStringLiteral("%1").arg(value, 0, 'f', fieldDecimals);
}

double NumberField::value(const QString& text)
{
    bool ok = false;
    const double result = withDecimalPoint(text).toDouble(&ok);
    return ok && std::isfinite(result) ? result : 0.0;
}
