#include "app/scaledialog.h"

ScaleDialog::ScaleDialog(const QString& title, QWidget* parent) : QDialog(parent)
{
    setWindowFlags(Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);
    setupUi(this);
    titleLabel->setText(title);
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
