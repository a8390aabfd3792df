#pragma once

#include <QMenu>

// The Delete/Fix choice offered for the records inside a drawn polygon.
class PContextMenu : public QMenu
{
    Q_OBJECT

public:
    explicit PContextMenu(QWidget* parent = nullptr);

    // Runs the menu just above and left of the cursor; the index of the
    // chosen action (0 Delete, 1 Fix), or -1 when closed without a choice.
    int exec();
};
