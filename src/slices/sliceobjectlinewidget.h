#pragma once

#include "ui_sliceobjectlinewidget.h"

#include "slices/sliceobject.h"

#include <QWidget>

// The row of a slice: its kind, switch, height, removal, geometry and view.
class SliceObjectLineWidget : public QWidget, public Ui::UISliceObjectLineWidget
{
    Q_OBJECT

public:
    explicit SliceObjectLineWidget(SliceObject* sliceObject, QWidget* parent = nullptr);

    // Shows the slice's state, title and height as they are now.
    void update();
    void updateHeight();
    // The row's own update() and move() leave QWidget's overloads usable.
    using QWidget::move;
    using QWidget::update;

public slots:
    void onEnabled(bool b);
    void onView();
    // Asks first; on Yes marks the slice deleted and schedules the deletion
    // of the slice widget, whose destructor then reports deleted().
    void remove();
    void move();

signals:
    void sendModified();
    void sendEnabled(bool b);
    void sendView(const SliceObject* sliceObject);

private:
    SliceObject* m_sliceObject;
};
