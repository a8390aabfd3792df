#pragma once

#include "survey/track.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QMap>
#include <QString>
#include <QVector>

class QTextStream;

// The records of one legacy probe, chosen by its serial number, as the
// device's own little-endian file (an 800-byte header, then each raw record
// with a zero word, its longitude and its latitude) and as a text file of
// latitude, longitude and altitude.
class VktConversion
{
    Q_DECLARE_TR_FUNCTIONS(VktConversion)

public:
    static constexpr int headerSize = 800;
    static constexpr int recordDataSize = 176;

    // The serial numbers of the legacy tracks, each once, in ascending order.
    static QList<qint32> serials(const QList<Track>& tracks);

    // Converts, in track and record order, the records of the legacy tracks
    // whose specifications carry serial, placed around the origin that the
    // information map gives. Only records of the device's own length are
    // converted: another length would shift every later record of the
    // fixed-size file, so such records are counted and left out.
    VktConversion(const QMap<QString, QString>& info, const QList<Track>& tracks, qint32 serial);

    int recordCount() const { return m_records; }
    int skippedCount() const { return m_skipped; }

    // Header and records. The header has room for the low 16 bits of the
    // serial only.
    QByteArray deviceFile() const;
    // Header line, then one line per converted record from single-precision
    // values.
    void writeCoordinates(QTextStream& out) const;

private:
    qint32 m_serial = 0;
    int m_records = 0;
    int m_skipped = 0;
    QByteArray m_body;
    QVector<float> m_coordinates;
};
