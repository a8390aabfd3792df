#include "app/polygonselection.h"

#include "survey/trackblocklist.h"

PolygonSelection PolygonSelection::select(const TrackBlockList& list, const QPolygonF& polygon)
{
    PolygonSelection selection;
    const QList<TrackBlock>& blocks = list.blocks();
    for (int b = 0; b < blocks.size(); ++b) {
        const TrackBlock& block = blocks.at(b);
        if (!block.isEnabled())
            continue;
        const QList<TrackBlockEntry>& entries = block.entries();
        for (int e = 0; e < entries.size(); ++e) {
            if (!entries.at(e).isEnabled())
                continue;
            const QList<TrackRecord>& records = entries.at(e).track().records();
            for (int r = 0; r < records.size(); ++r) {
                const Point3D& p = records.at(r).position();
                if (!polygon.containsPoint(QPointF(p.x(), p.y()), Qt::OddEvenFill))
                    continue;
                selection.m_records[b][e].append(r);
                if (selection.m_first.block < 0)
                    selection.m_first = {b, e, r};
                selection.m_last = {b, e, r};
            }
        }
    }
    return selection;
}

void PolygonSelection::deleteRecords(TrackBlockList& list) const
{
    for (auto block = m_records.cbegin(); block != m_records.cend(); ++block) {
        for (auto entry = block->cbegin(); entry != block->cend(); ++entry) {
            TrackBlockEntry& target = list.block(block.key()).entry(entry.key());
            Track track = target.track();
            QList<TrackRecord> records = track.records();
            // The indices refer to the list before any removal.
            QVector<bool> marked(records.size(), false);
            for (int index : entry.value())
                marked[index] = true;
            QList<TrackRecord> kept;
            kept.reserve(records.size());
            for (int i = 0; i < records.size(); ++i) {
                if (!marked.at(i))
                    kept.append(records.at(i));
            }
            track.setRecords(kept);
            target.setTrack(track);
            target.updateCurves();
        }
    }
}

void PolygonSelection::fixRecords(TrackBlockList& list) const
{
    if (isEmpty())
        return;
    const QList<TrackRecord>& firstRecords = list.block(m_first.block).entry(m_first.entry).track().records();
    const QList<TrackRecord>& lastRecords = list.block(m_last.block).entry(m_last.entry).track().records();
    const TrackRecord start = firstRecords.at(qMax(0, m_first.record - 1));
    const TrackRecord end = lastRecords.at(qMin(lastRecords.size() - 1, m_last.record + 1));

    // Single precision, as the device positions were placed originally.
    const float x0 = float(start.position().x());
    const float y0 = float(start.position().y());
    const float x1 = float(end.position().x());
    const float y1 = float(end.position().y());
    const float dx = x1 - x0;
    const float dy = y1 - y0;
    qint64 dt = start.time().msecsTo(end.time());
    if (dt == 0)
        dt = 1;

    for (auto block = m_records.cbegin(); block != m_records.cend(); ++block) {
        for (auto entry = block->cbegin(); entry != block->cend(); ++entry) {
            TrackBlockEntry& target = list.block(block.key()).entry(entry.key());
            Track track = target.track();
            QList<TrackRecord> records = track.records();
            for (int index : entry.value()) {
                TrackRecord record = records.at(index);
                const qint64 ms = start.time().msecsTo(record.time());
                const float x = dx * float(ms) / float(dt) + x0;
                const float y = float(ms) * dy / float(dt) + y0;
                record.setPosition(Point3D(double(x), double(y), record.position().z()));
                record.setFixed();
                records[index] = record;
            }
            track.setRecords(records);
            target.setTrack(track);
            target.updateCurves();
        }
    }
}
