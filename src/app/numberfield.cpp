#include "app/numberfield.h"

#include <QDoubleValidator>
#include <QLocale>

QDoubleValidator* NumberField::createValidator(QObject* parent)
{
    auto* validator = new QDoubleValidator(parent);
    validator->setDecimals(2);
    QLocale locale = QLocale::c();
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    validator->setLocale(locale);
    return validator;
}

QString NumberField::text(double value)
{
    return QStringLiteral("%1").arg(value, 0, 'f', 2);
}

double NumberField::value(const QString& text)
{
    bool ok = false;
    const double result = text.toDouble(&ok);
    return ok ? result : 0.0;
}
