#include "survey/trackblock.h"

#include "survey/readlist.h"

#include <QtMath>

#include <cmath>

TrackBlock emptyTrackBlock;

namespace {

// Entry by entry: a shared list would be detached by whichever block first
// asks for an entry, and the block left holding the old nodes would take
// the curves with it.
QList<TrackBlockEntry> copiedEntries(const QList<TrackBlockEntry>& entries)
{
    QList<TrackBlockEntry> copies;
    copies.reserve(entries.size());
    for (const TrackBlockEntry& entry : entries)
        copies.append(entry);
    return copies;
}

} // namespace

TrackBlock::TrackBlock(const TrackBlock& other)
    : m_deleted(other.m_deleted),
      m_enabled(other.m_enabled),
      m_name(other.m_name),
      m_info(other.m_info),
      m_origin(other.m_origin),
      m_entries(copiedEntries(other.m_entries))
{
}

TrackBlock& TrackBlock::operator=(const TrackBlock& other)
{
    if (this != &other) {
        m_deleted = other.m_deleted;
        m_enabled = other.m_enabled;
        m_name = other.m_name;
        m_info = other.m_info;
        m_origin = other.m_origin;
        m_entries = copiedEntries(other.m_entries);
    }
    return *this;
}

void TrackBlock::setEnabled(bool enabled)
{
    m_enabled = enabled;
    for (TrackBlockEntry& entry : m_entries)
        entry.applyHidden(!enabled);
}

TrackBlockEntry& TrackBlock::entry(int i)
{
    if (m_entries.isEmpty())
        return emptyTrackBlockEntry;
    return m_entries[qBound(0, i, m_entries.size() - 1)];
}

bool TrackBlock::moveTo(const Point3D& origin)
{
    const double dx = origin.x() - m_origin.x();
    const double dy = origin.y() - m_origin.y();
    const double dz = origin.z() - m_origin.z();
    if (qAbs(dx) <= 0.001 && qAbs(dy) <= 0.001 && qAbs(dz) <= 0.001)
        return false;
    if (!origin.isFinite()
        || !transform([=](const Point3D& p) { return Point3D(p.x() + dx, p.y() + dy, p.z() + dz); }))
        return false;
    m_origin = origin;
    return true;
}

bool TrackBlock::scale(double sx, double sy)
{
    // Written so that NaN factors are refused too.
    if (!(sx > 0.0) || !(sy > 0.0) || (sx == 1.0 && sy == 1.0))
        return false;
    const double cx = m_origin.x();
    const double cy = m_origin.y();
    return transform([=](const Point3D& p) {
        return Point3D((p.x() - cx) * sx + cx, (p.y() - cy) * sy + cy, p.z());
    });
}

bool TrackBlock::rotate(double degrees)
{
    const double a = degrees * M_PI / 180.0;
    const double c = std::cos(a);
    const double s = std::sin(a);
    const double cx = m_origin.x();
    const double cy = m_origin.y();
    return transform([=](const Point3D& p) {
        const double x = p.x() - cx;
        const double y = p.y() - cy;
        return Point3D(cx + x * c - y * s, cy + x * s + y * c, p.z());
    });
}

bool TrackBlock::transform(const PointMap& map)
{
    // All or nothing: records sent to infinity could never be brought back,
    // and a block moved in part would be torn apart.
    for (const TrackBlockEntry& entry : qAsConst(m_entries)) {
        if (!entry.mapsToFinite(map))
            return false;
    }
    for (TrackBlockEntry& entry : m_entries)
        entry.transform(map);
    return true;
}

QDataStream& operator<<(QDataStream& out, const TrackBlock& block)
{
    out << block.isDeleted() << block.isEnabled() << block.name() << block.info() << block.origin();
    out << quint32(block.entries().size());
    for (const TrackBlockEntry& entry : block.entries())
        out << entry;
    return out;
}

QDataStream& operator>>(QDataStream& in, TrackBlock& block)
{
    bool deleted = false;
    bool enabled = true;
    QString name;
    QMap<QString, QString> info;
    Point3D origin;
    in >> deleted >> enabled >> name >> info >> origin;
    block.m_deleted = deleted;
    block.m_enabled = enabled;
    block.m_name = name;
    block.m_info = info;
    block.m_origin = origin;
    readList(in, block.m_entries);
    return in;
}
