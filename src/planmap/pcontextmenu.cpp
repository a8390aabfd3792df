#include "planmap/pcontextmenu.h"

#include <QCursor>

PContextMenu::PContextMenu(QWidget* parent) : QMenu(parent)
{
    addAction(tr("Delete"));
    addAction(tr("Fix"));
}

int PContextMenu::exec()
{
    QAction* chosen = QMenu::exec(QCursor::pos() - QPoint(5, 5));
    return chosen ? actions().indexOf(chosen) : -1;
}
