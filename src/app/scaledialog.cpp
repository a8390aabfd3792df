#include "app/scaledialog.h"

#include <QLocale>

ScaleDialog::ScaleDialog(const QString& title, QWidget* parent) : QDialog(parent)
{
    setWindowFlags(Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);
    setupUi(this);
    titleLabel->setText(title);

    // Factors are written with a decimal point like every other number
    // field, whatever the desktop's locale.
    QLocale locale = QLocale::c();
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    xFactorDoubleSpinBox->setLocale(locale);
    yFactorDoubleSpinBox->setLocale(locale);
    setFixedSize(sizeHint());
}

double ScaleDialog::xFactor() const
{
    return xFactorDoubleSpinBox->value();
}

double ScaleDialog::yFactor() const
{
    return yFactorDoubleSpinBox->value();
}
