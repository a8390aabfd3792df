#pragma once

#include "ui_move2dialog.h"

#include <QDialog>
#include <QPointF>
#include <QPolygonF>

// Asks for the two end points of a vertical slice. The fields start at the
// given points, rounded to two decimals, and read back exactly what they show.
class Move2Dialog : public QDialog, public Ui::UIMove2Dialog
{
    Q_OBJECT

public:
    Move2Dialog(const QString& title, const QPointF& p1, const QPointF& p2, QWidget* parent = nullptr);

    // Always two points: (X1, Y1), (X2, Y2).
    QPolygonF polygon() const;
};
