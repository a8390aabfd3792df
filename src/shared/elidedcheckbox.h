#pragma once

#include <QCheckBox>

// A check box whose text gives way to the widgets beside it: it is drawn
// cut short with "…" when the box is narrower than the text, and the whole
// text is then its tooltip. text() stays the whole text.
class ElidedCheckBox : public QCheckBox
{
    Q_OBJECT

public:
    explicit ElidedCheckBox(QWidget* parent = nullptr);

    QSize minimumSizeHint() const override;
    // The text as drawn at the current width.
    QString shownText() const;
    bool isElided() const { return shownText() != text(); }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
