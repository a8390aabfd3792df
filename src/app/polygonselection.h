#pragma once

#include <QMap>
#include <QPolygonF>
#include <QVector>

class TrackBlockList;

// The records of the enabled entries of the enabled blocks that lie inside a
// polygon drawn on the plan map, and the two edits offered for them.
class PolygonSelection
{
public:
    struct Index
    {
        int block = -1;
        int entry = -1;
        int record = -1;
    };

    // Records inside by the odd-even rule, in (block, entry, record) order.
    static PolygonSelection select(const TrackBlockList& list, const QPolygonF& polygon);

    bool isEmpty() const { return m_records.isEmpty(); }
    // Block index -> entry index -> selected record indices, ascending.
    const QMap<int, QMap<int, QVector<int>>>& records() const { return m_records; }
    Index first() const { return m_first; }
    Index last() const { return m_last; }

    // Removes the selected records from their tracks.
    void deleteRecords(TrackBlockList& list) const;
    // Moves the selected records onto the line from the record before the
    // first selected one to the record after the last one, in proportion to
    // their times, and marks them fixed.
    void fixRecords(TrackBlockList& list) const;

private:
    QMap<int, QMap<int, QVector<int>>> m_records;
    Index m_first;
    Index m_last;
};
