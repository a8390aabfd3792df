#include "slices/move3dialog.h"

#include "shared/numberfield.h"

#include <QDoubleValidator>

namespace {
constexpr int cornerCount = 4;
}

Move3Dialog::Move3Dialog(const QString& title, double height, const QPolygonF& corners, QWidget* parent)
    : QDialog(parent)
{
    setWindowFlags(Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);
    setupUi(this);
    titleLabel->setText(title);
    setFixedSize(sizeHint());

    QDoubleValidator* validator = NumberField::createValidator(NumberField::Metres, this);
    heightLineEdit->setValidator(validator);
    for (int i = 0; i < cornerCount; ++i) {
        xEdit(i)->setValidator(validator);
        yEdit(i)->setValidator(validator);
    }
    heightLineEdit->setText(NumberField::text(height));
    for (int i = 0; i < cornerCount; ++i) {
        // An outline from a foreign file may be short; value() gives (0, 0) then.
        const QPointF corner = corners.value(i);
        xEdit(i)->setText(NumberField::text(corner.x()));
        yEdit(i)->setText(NumberField::text(corner.y()));
    }
}

double Move3Dialog::height() const
{
    return NumberField::value(heightLineEdit->text());
}

QPolygonF Move3Dialog::polygon() const
{
    QPolygonF corners;
    for (int i = 0; i < cornerCount; ++i)
        corners << QPointF(NumberField::value(xEdit(i)->text()), NumberField::value(yEdit(i)->text()));
    return corners;
}

QLineEdit* Move3Dialog::xEdit(int corner) const
{
    QLineEdit* const edits[cornerCount] = {x1LineEdit, x2LineEdit, x3LineEdit, x4LineEdit};
    return edits[corner];
}

QLineEdit* Move3Dialog::yEdit(int corner) const
{
    QLineEdit* const edits[cornerCount] = {y1LineEdit, y2LineEdit, y3LineEdit, y4LineEdit};
    return edits[corner];
}
