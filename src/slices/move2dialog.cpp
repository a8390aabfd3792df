#include "slices/move2dialog.h"

#include "shared/numberfield.h"

#include <QDoubleValidator>

Move2Dialog::Move2Dialog(const QString& title, const QPointF& p1, const QPointF& p2, QWidget* parent)
    : QDialog(parent)
{
    setWindowFlags(Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);
    setupUi(this);
    titleLabel->setText(title);
    setFixedSize(sizeHint());

    QDoubleValidator* validator = NumberField::createValidator(NumberField::Metres, this);
    for (QLineEdit* edit : {x1LineEdit, y1LineEdit, x2LineEdit, y2LineEdit})
        edit->setValidator(validator);
    x1LineEdit->setText(NumberField::text(p1.x()));
    y1LineEdit->setText(NumberField::text(p1.y()));
    x2LineEdit->setText(NumberField::text(p2.x()));
    y2LineEdit->setText(NumberField::text(p2.y()));
}

QPolygonF Move2Dialog::polygon() const
{
    return QPolygonF() << QPointF(NumberField::value(x1LineEdit->text()), NumberField::value(y1LineEdit->text()))
                       << QPointF(NumberField::value(x2LineEdit->text()), NumberField::value(y2LineEdit->text()));
}
