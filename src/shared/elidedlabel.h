#pragma once

#include <QLabel>

// A one-line label for a name or a title that gives way to the window: it is
// drawn cut short with "…" when it has less room than the text needs, and
// the whole text is then its tooltip. It asks for no more than a third of
// the screen's width, so a long name never makes a window wider than the
// screen.
// text() stays the whole text.
class ElidedLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // The text as drawn at the current width.
    QString shownText() const;
    bool isElided() const { return shownText() != text(); }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QRect textArea() const;
};
