#include "survey/trackblocklist.h"

#include "survey/readlist.h"

#include <QFile>
#include <QFileInfo>

#include <new>

TrackBlock& TrackBlockList::block(int i)
{
    if (m_blocks.isEmpty())
        return emptyTrackBlock;
    return m_blocks[qBound(0, i, m_blocks.size() - 1)];
}

QSet<ProbeId> TrackBlockList::probeIds() const
{
    QSet<ProbeId> ids;
    for (const TrackBlock& block : m_blocks) {
        for (const TrackBlockEntry& entry : block.entries())
            ids.insert(entry.track().probeId());
    }
    return ids;
}

void TrackBlockList::removeDeleted()
{
    for (auto it = m_blocks.begin(); it != m_blocks.end();) {
        if (it->isDeleted())
            it = m_blocks.erase(it);
        else
            ++it;
    }
}

namespace {

bool readSession(QIODevice& device, const QString& blockName, TrackBlock& block)
{
    QDataStream in(&device);
    in.setVersion(QDataStream::Qt_5_2);
    QMap<QString, QString> info;
    QList<Track> tracks;
    // A file can hold more than memory does (strings of gigabytes, millions
    // of records); it is then not loaded, and the project stays as it was.
    try {
        in >> info;
        readList(in, tracks);
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (in.status() != QDataStream::Ok)
        return false;

    block.setName(blockName);
    block.setInfo(info);
    int n = 1;
    for (const Track& track : qAsConst(tracks)) {
        if (!TrackBlockList::hasRecords(track))
            continue;
        TrackBlockEntry entry;
        entry.setName(QStringLiteral("Track %1").arg(n));
        entry.setTrack(track);
        block.appendEntry(entry);
        ++n;
    }
    return true;
}

} // namespace

bool TrackBlockList::loadSession(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    TrackBlock block;
    bool ok = readSession(file, QFileInfo(fileName).fileName(), block);
    // close() forgets a read error, so look before and after.
    ok = ok && file.error() == QFileDevice::NoError;
    file.close();
    if (!ok || file.error() != QFileDevice::NoError)
        return false;
    m_blocks.append(block);
    return true;
}

bool TrackBlockList::loadSession(QIODevice& device, const QString& blockName)
{
    TrackBlock block;
    if (!readSession(device, blockName, block))
        return false;
    m_blocks.append(block);
    return true;
}

QDataStream& operator<<(QDataStream& out, const TrackBlockList& list)
{
    out << quint32(list.blocks().size());
    for (const TrackBlock& block : list.blocks())
        out << block;
    return out;
}

QDataStream& operator>>(QDataStream& in, TrackBlockList& list)
{
    return readList(in, list.m_blocks);
}
