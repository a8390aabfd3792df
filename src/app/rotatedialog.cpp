#include "app/rotatedialog.h"

#include "shared/numberfield.h"

#include <QDoubleValidator>

RotateDialog::RotateDialog(const QString& title, QWidget* parent) : QDialog(parent)
{
    setWindowFlags(Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);
    setupUi(this);
    // Translators write "*" for the degree sign; it is put in after translation.
    angleLabel->setText(angleLabel->text().replace(QLatin1Char('*'), QChar(0x00B0)));
    titleLabel->setText(title);
    setFixedSize(sizeHint());

    angleLineEdit->setValidator(NumberField::createValidator(NumberField::Degrees, this));
    angleLineEdit->setText(NumberField::text(0.0));
}

double RotateDialog::angle() const
{
    return NumberField::value(angleLineEdit->text());
}
