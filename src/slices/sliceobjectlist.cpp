#include "slices/sliceobjectlist.h"

#include "survey/readlist.h"

SliceObject* SliceObjectList::at(int i)
{
    if (m_slices.isEmpty())
        return &emptySliceObject;
    return &m_slices[qBound(0, i, m_slices.size() - 1)];
}

void SliceObjectList::setCurvesVisible(bool visible)
{
    for (SliceObject& slice : m_slices)
        slice.applyHidden(!visible);
}

void SliceObjectList::removeDeleted()
{
    for (auto it = m_slices.begin(); it != m_slices.end();) {
        if (it->isDeleted())
            it = m_slices.erase(it);
        else
            ++it;
    }
}

void SliceObjectList::write(QDataStream& out) const
{
    out << quint32(m_slices.size());
    for (const SliceObject& slice : m_slices)
        out << slice;
}

void SliceObjectList::read(QDataStream& in)
{
    readList(in, m_slices);
}

QDataStream& operator<<(QDataStream& out, const SliceObjectList& list)
{
    list.write(out);
    return out;
}

QDataStream& operator>>(QDataStream& in, SliceObjectList& list)
{
    list.read(in);
    return in;
}
