#pragma once

#include "ui_rotatedialog.h"

#include <QDialog>

// Asks for a rotation angle in degrees, counter-clockwise for a positive one.
class RotateDialog : public QDialog, public Ui::UIRotateDialog
{
    Q_OBJECT

public:
    explicit RotateDialog(const QString& title, QWidget* parent = nullptr);

    double angle() const;
};
