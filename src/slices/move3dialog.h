#pragma once

#include "ui_move3dialog.h"

#include <QDialog>
#include <QPolygonF>

// Asks for the height and the four corners of a horizontal slice. The fields
// start at the given values, rounded to two decimals, and read back exactly
// what they show.
class Move3Dialog : public QDialog, public Ui::UIMove3Dialog
{
    Q_OBJECT

public:
    // Shows the first four corners; corners missing from a shorter outline
    // show as (0, 0).
    Move3Dialog(const QString& title, double height, const QPolygonF& corners, QWidget* parent = nullptr);

    double height() const;
    // Always four points: (X1, Y1) to (X4, Y4).
    QPolygonF polygon() const;

private:
    QLineEdit* xEdit(int corner) const;
    QLineEdit* yEdit(int corner) const;
};
