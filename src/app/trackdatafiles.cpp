#include "app/trackdatafiles.h"

#include "probes/zndtranslator.h"
#include "shared/writtenfile.h"
#include "survey/track.h"

#include <QFile>
#include <QTextStream>

namespace {

void writeLine(QTextStream& out, const QStringList& fields)
{
    for (const QString& field : fields)
        out << field << ' ';
    out << '\n';
}

} // namespace

TrackDataFiles::Result TrackDataFiles::readSpecifications(const QString& path, QByteArray* bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return CannotOpen;
    // One byte more than allowed tells a file that is too large, whatever
    // size() says of a device or a file that grows.
    const QByteArray data = file.read(maxSpecificationsSize + 1);
    // close() forgets a read error, so look before and after.
    const bool read = file.error() == QFileDevice::NoError;
    file.close();
    if (!read || file.error() != QFileDevice::NoError)
        return CannotRead;
    if (data.size() > maxSpecificationsSize)
        return TooLarge;
    *bytes = data;
    return Done;
}

TrackDataFiles::Result TrackDataFiles::writeSpecifications(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return CannotOpen;
    const bool written = file.write(bytes) == bytes.size();
    return WrittenFile::finish(file) && written ? Done : CannotWrite;
}

TrackDataFiles::Result TrackDataFiles::saveRawData(const QString& path, bool append, const Track& track,
                                                   ZndTranslator& translator, bool headers)
{
    const WrittenFile::Result result = WrittenFile::writeText(
        path,
        [&](QTextStream& out) {
            // The raw values are the model's texts: UTF-8 keeps any of them.
            out.setCodec("UTF-8");
            writeRawData(out, track, translator, headers);
        },
        append ? QIODevice::Append : QIODevice::WriteOnly);
    return result == WrittenFile::CannotOpen ? CannotOpen : result == WrittenFile::CannotWrite ? CannotWrite : Done;
}

void TrackDataFiles::writeRawData(QTextStream& out, const Track& track, ZndTranslator& translator, bool headers)
{
    if (headers) {
        writeLine(out, QStringList{QStringLiteral("X[m]"), QStringLiteral("Y[m]"), QStringLiteral("Z[m]")}
                           + translator.rawDataHeaders());
    }
    // The stream's own number format: C locale, 6 significant digits.
    for (const TrackRecord& record : track.records()) {
        const Point3D& p = record.position();
        out << p.x() << ' ' << p.y() << ' ' << p.z() << ' ';
        writeLine(out, translator.rawDataValues(record.data()));
    }
}
