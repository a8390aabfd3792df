#pragma once

#include <QDoubleSpinBox>

// A spin box that takes its typed numbers the way the number fields do:
// standard notation only, and a decimal comma turned into a point.
class NumberSpinBox : public QDoubleSpinBox
{
    Q_OBJECT

public:
    explicit NumberSpinBox(QWidget* parent = nullptr);

    QValidator::State validate(QString& text, int& pos) const override;
};
