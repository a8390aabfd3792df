#pragma once

#include "survey/point3d.h"
#include "survey/trackblockentry.h"

#include <QDataStream>
#include <QList>
#include <QMap>
#include <QString>

// One loaded session file: its entries, information map and origin.
// Entries are separately allocated list nodes, so their addresses stay put
// while other entries are appended or erased.
// A copy takes the data only, like a copied entry: it gets entries of its
// own, without curves, and never shares the original's list, whose entries
// own their curves.
class TrackBlock
{
public:
    TrackBlock() = default;
    TrackBlock(const TrackBlock& other);
    TrackBlock& operator=(const TrackBlock& other);
    ~TrackBlock() = default;

    bool isDeleted() const { return m_deleted; }
    void markDeleted() { m_deleted = true; }

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    QString name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }

    QMap<QString, QString>& info() { return m_info; }
    const QMap<QString, QString>& info() const { return m_info; }
    void setInfo(const QMap<QString, QString>& info) { m_info = info; }

    Point3D& origin() { return m_origin; }
    const Point3D& origin() const { return m_origin; }
    void setOrigin(const Point3D& origin) { m_origin = origin; }

    int entryCount() const { return m_entries.size(); }
    // Clamped to the valid range; the shared empty entry when there is none.
    TrackBlockEntry& entry(int i);
    const QList<TrackBlockEntry>& entries() const { return m_entries; }
    void appendEntry(const TrackBlockEntry& entry) { m_entries.append(entry); }

    // The transforms say whether they changed the block. One whose result
    // is not finite changes nothing.
    bool moveTo(const Point3D& origin);
    bool scale(double sx, double sy);
    bool rotate(double degrees);

    friend QDataStream& operator>>(QDataStream& in, TrackBlock& block);

private:
    bool transform(const PointMap& map);

    bool m_deleted = false;
    bool m_enabled = true;
    QString m_name;
    QMap<QString, QString> m_info;
    Point3D m_origin;
    QList<TrackBlockEntry> m_entries;
};

extern TrackBlock emptyTrackBlock;

QDataStream& operator<<(QDataStream& out, const TrackBlock& block);
QDataStream& operator>>(QDataStream& in, TrackBlock& block);
