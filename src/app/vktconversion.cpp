#include "app/vktconversion.h"

#include "app/exportsource.h"
#include "probes/legacy/legacyspecifications.h"

#include <QDataStream>
#include <QSet>
#include <QTextStream>

#include <algorithm>

namespace {

constexpr quint8 legacyType = 254;

QDataStream& littleEndian(QDataStream& stream)
{
    stream.setByteOrder(QDataStream::LittleEndian);
    return stream;
}

} // namespace

QList<qint32> VktConversion::serials(const QList<Track>& tracks)
{
    QSet<qint32> found;
    for (const Track& track : tracks) {
        if (track.probeId().type() == legacyType)
            found.insert(LegacySpecifications(track.specifications()).serial);
    }
    QList<qint32> sorted = found.values();
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

VktConversion::VktConversion(const QMap<QString, QString>& info, const QList<Track>& tracks, qint32 serial)
    : m_serial(serial)
{
    const QGeoCoordinate origin = ExportSource::origin(info);
    QDataStream body(&m_body, QIODevice::WriteOnly);
    littleEndian(body);
    for (const Track& track : tracks) {
        if (track.probeId().type() != legacyType || LegacySpecifications(track.specifications()).serial != serial)
            continue;
        for (const TrackRecord& record : track.records()) {
            if (record.data().size() != recordDataSize) {
                ++m_skipped;
                continue;
            }
            const Point3D& p = record.position();
            const QGeoCoordinate position = ExportSource::place(origin, p.x(), p.y());
            body.writeRawData(record.data().constData(), record.data().size());
            body << qint32(0) << position.longitude() << position.latitude();
            m_coordinates << float(position.latitude()) << float(position.longitude()) << float(p.z());
            ++m_records;
        }
    }
}

QByteArray VktConversion::deviceFile() const
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    littleEndian(out);
    out.writeRawData("VKT\0", 4);
    out << qint16(1) << qint16(0);
    out.writeRawData(QByteArray(768, '\0').constData(), 768);
    out << qint8(1) << qint8(1) << qint16(2000) << qint16(quint16(m_serial & 0xFFFF)) << qint16(1);
    out << qint32(788) << qint32(m_records) << qint32(0) << qint32(headerSize);
    bytes += m_body;
    return bytes;
}

void VktConversion::writeCoordinates(QTextStream& out) const
{
    const QChar degree(0x00B0);
    out << tr("Latitude [*]").replace(QLatin1Char('*'), degree) << '\t'
        << tr("Longitude [*]").replace(QLatin1Char('*'), degree) << '\t' << tr("Altitude [m]") << '\n';
    for (int i = 0; i + 2 < m_coordinates.size(); i += 3) {
        out << QStringLiteral("%1\t").arg(double(m_coordinates.at(i)), 0, 'f', 8)
            << QStringLiteral("%1\t").arg(double(m_coordinates.at(i + 1)), 0, 'f', 8)
            << QStringLiteral("%1\n").arg(double(m_coordinates.at(i + 2)), 0, 'f', 3);
    }
}
