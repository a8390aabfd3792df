#pragma once

#include <QObject>
#include <QStringList>

class QWidget;

// Warnings found while a window is being built. A message box whose parent
// is still hidden is placed by the window manager in a corner of the screen,
// far from the window it speaks of, so the warnings wait until the parent is
// on screen and then appear over it.
class PendingWarnings : public QObject
{
public:
    // Shows each text in turn as a modal warning with parent as its parent,
    // an empty title and the button Ok, as soon as parent has been shown
    // (at once when it already is). Nothing is shown once parent is gone.
    static void showOver(QWidget* parent, const QStringList& texts);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PendingWarnings(QWidget* parent, const QStringList& texts);
    void showLater();

    QWidget* m_parent;
    QStringList m_texts;
};
