#pragma once

#include "ui_move1dialog.h"

#include "survey/point3d.h"

#include <QDialog>

// Asks for a new block origin. The fields start at the current origin,
// rounded to two decimals, and read back exactly what they show.
class Move1Dialog : public QDialog, public Ui::UIMove1Dialog
{
    Q_OBJECT

public:
    Move1Dialog(const QString& title, const Point3D& point, QWidget* parent = nullptr);

    Point3D point() const;
};
