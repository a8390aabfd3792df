#pragma once

#include "slices/sliceobject.h"

#include <QDataStream>
#include <QList>

// The project's slices in creation order. Each slice is a separate list node,
// so pointers to it stay valid while others are appended or erased.
// Not copyable: the slices own their plan-map curves.
class SliceObjectList
{
public:
    SliceObjectList() = default;
    SliceObjectList(const SliceObjectList&) = delete;
    SliceObjectList& operator=(const SliceObjectList&) = delete;
    ~SliceObjectList() = default;

    int count() const { return m_slices.size(); }
    void append(const SliceObject& slice) { m_slices.append(slice); }
    // Clamped to the valid range; the shared empty slice when there is none.
    SliceObject* at(int i);

    void setCurvesVisible(bool visible);
    void removeDeleted();

    void write(QDataStream& out) const;
    // A damaged or truncated list leaves the list empty and the stream in error.
    void read(QDataStream& in);

private:
    QList<SliceObject> m_slices;
};

QDataStream& operator<<(QDataStream& out, const SliceObjectList& list);
QDataStream& operator>>(QDataStream& in, SliceObjectList& list);
