#include "app/move1dialog.h"

#include "shared/numberfield.h"

#include <QDoubleValidator>

Move1Dialog::Move1Dialog(const QString& title, const Point3D& point, QWidget* parent) : QDialog(parent)
{
    setWindowFlags(Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);
    setupUi(this);
    titleLabel->setText(title);
    setFixedSize(sizeHint());

    QDoubleValidator* validator = NumberField::createValidator(NumberField::Metres, this);
    xLineEdit->setValidator(validator);
    yLineEdit->setValidator(validator);
    zLineEdit->setValidator(validator);
    xLineEdit->setText(NumberField::text(point.x()));
    yLineEdit->setText(NumberField::text(point.y()));
    zLineEdit->setText(NumberField::text(point.z()));
}

Point3D Move1Dialog::point() const
{
    return Point3D(NumberField::value(xLineEdit->text()), NumberField::value(yLineEdit->text()),
                   NumberField::value(zLineEdit->text()));
}
