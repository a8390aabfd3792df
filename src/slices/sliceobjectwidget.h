#pragma once

#include "slices/sliceobject.h"

#include <QWidget>

// The container of one slice's row. The row acts on the slice directly; the
// slice must keep its address while this widget exists.
//
// Every destruction (after a removal or with the whole list) emits
// modified() and then deleted() while the row still exists. Neither this
// widget nor its row touches the slice from a destructor, so a receiver of
// deleted() may purge the slice at once.
class SliceObjectWidget : public QWidget
{
    Q_OBJECT

public:
    explicit SliceObjectWidget(SliceObject* sliceObject, QWidget* parent = nullptr);
    ~SliceObjectWidget() override;

    SliceObject* sliceObject() const { return m_sliceObject; }

public slots:
    // Shows or hides every item below the row; the row always stays.
    void setItemsVisible(bool visible);
    void onView(const SliceObject* sliceObject);

signals:
    void deleted();
    void sendView(const SliceObject* sliceObject);
    void modified();

private:
    void createLineWidget();

    SliceObject* m_sliceObject;
};
