#pragma once

#include "ui_rangedialog.h"

#include <QDialog>

// Asks which measured values take part in the models: all of them, or those
// inside a typed range.
class RangeDialog : public QDialog, public Ui::UIRangeDialog
{
    Q_OBJECT

public:
    explicit RangeDialog(QWidget* parent = nullptr);

    // The bounds of the chosen range; unbounded for "All values".
    double min() const;
    double max() const;

public slots:
    void hideCustomRange();
    void showCustomRange();

private:
    // OK only while the range holds values: Min below Max.
    void updateOkButton();
};
