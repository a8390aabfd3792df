#pragma once

#include "ui_sliceobjectlistwidget.h"

#include <QWidget>

class SliceObject;
class SliceObjectWidget;

// The scrollable column of slice widgets in the "Slices" dock.
//
// The slice widgets point into the project's SliceObjectList and signal
// modified() and deleted() from their destructors. The owner therefore
// deletes this widget (or disconnects its slice widgets) before it destroys
// or replaces the SliceObjectList, and does so in its own destructor body,
// not through Qt's deletion of children, so that the signals never reach a
// half-destroyed window or a list that is gone.
class SliceObjectListWidget : public QWidget, public Ui::UISliceObjectListWidget
{
    Q_OBJECT

public:
    explicit SliceObjectListWidget(QWidget* parent = nullptr);

    // Wide enough for a row with its name and all its buttons, so that the
    // dock opens without a scroll bar.
    QSize sizeHint() const override;

    // Appends a widget for the slice below the others; the caller connects
    // its deleted(), sendView() and modified().
    SliceObjectWidget* addSliceObject(SliceObject* sliceObject);
};
