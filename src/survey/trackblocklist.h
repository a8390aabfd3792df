#pragma once

#include "survey/trackblock.h"

#include <QDataStream>
#include <QIODevice>
#include <QList>
#include <QSet>
#include <QString>

// The project's track blocks in load order. Not copyable: its entries own
// plan-map curves and its rows keep pointers to its blocks.
class TrackBlockList
{
public:
    TrackBlockList() = default;
    TrackBlockList(const TrackBlockList&) = delete;
    TrackBlockList& operator=(const TrackBlockList&) = delete;
    ~TrackBlockList() = default;

    int count() const { return m_blocks.size(); }
    // Clamped to the valid range; the shared empty block when there is none.
    TrackBlock& block(int i);
    const QList<TrackBlock>& blocks() const { return m_blocks; }

    QSet<ProbeId> probeIds() const;
    void removeDeleted();

    // Appends one block read from a session file. A file that does not open,
    // fails to read or is damaged leaves the list as it was.
    bool loadSession(const QString& fileName);
    bool loadSession(QIODevice& device, const QString& blockName);

    static bool hasRecords(const Track& track) { return !track.records().isEmpty(); }

    friend QDataStream& operator>>(QDataStream& in, TrackBlockList& list);

private:
    QList<TrackBlock> m_blocks;
};

QDataStream& operator<<(QDataStream& out, const TrackBlockList& list);
QDataStream& operator>>(QDataStream& in, TrackBlockList& list);
