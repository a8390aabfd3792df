#pragma once

#include "ui_scaledialog.h"

#include <QDialog>

// Asks for the scale factors along x and y, each 0.01 to 100.
class ScaleDialog : public QDialog, public Ui::UIScaleDialog
{
    Q_OBJECT

public:
    explicit ScaleDialog(const QString& title, QWidget* parent = nullptr);

    double xFactor() const;
    double yFactor() const;
};
