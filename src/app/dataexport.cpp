#include "app/dataexport.h"

#include "app/exportsource.h"
#include "app/numbertext.h"
#include "probes/kestrion/zndtranslator_kestrion.h"
#include "probes/legacy/zndtranslator_legacy.h"

#include <QLatin1String>
#include <QTextStream>

#include <cmath>
#include <functional>

namespace {

constexpr quint8 kestrionType = 1;
constexpr quint8 legacyType = 254;

// Columns 6 to 8 carry the plain values, not logarithms, whatever their
// titles say: the titles are what other programs read.
const char* const legacyTitles[] = {"Freq[#]",   "X[m]",      "Y[m]",   "V[m]",   "Z[m]",          "Log(Abs)[*]", "Log(Im)[*]", "Log(Re)[*]",
                                    "Phase[*]",  "Con[mS/m]", "Ro[Om*m]", "PPM",  "Lat[*]",        "Lon[*]",      "GNSS altitude", "UTC"};

const char* const kestrionTitles[] = {"Freq[#]",       "X[m]",   "Y[m]",   "EMFAbs[uV]",    "EMFRe[uV]", "EMFIm[uV]",
                                      "Phase[*]",      "AppRes[Ohm*m]", "Lat[*]", "Lon[*]", "GNSS altitude", "UTC"};

// Rows are gathered in a buffer and handed to the stream in large pieces:
// the stream's own number formatting is far too slow for a season's survey.
class CsvBuffer
{
public:
    explicit CsvBuffer(QTextStream& out) : m_out(out) { m_bytes.reserve(limit + 4096); }
    ~CsvBuffer() { flush(); }

    QByteArray& bytes() { return m_bytes; }
    void endRecord()
    {
        if (m_bytes.size() >= limit)
            flush();
    }

private:
    static constexpr int limit = 1 << 16;
    void flush()
    {
        m_out << QLatin1String(m_bytes.constData(), m_bytes.size());
        m_bytes.clear();
    }

    QTextStream& m_out;
    QByteArray m_bytes;
};

template <std::size_t N>
void writeHeader(QByteArray& bytes, const char* const (&titles)[N])
{
    for (std::size_t i = 0; i < N; ++i) {
        bytes += titles[i];
        bytes += i + 1 < N ? ", " : "\n";
    }
}

// The columns that end every row of a record: latitude, longitude,
// altitude and time.
QByteArray recordTail(const TrackRecord& record, const QGeoCoordinate& position)
{
    QByteArray tail = ", ";
    NumberText::appendFixed(tail, position.latitude(), 8);
    tail += ", ";
    NumberText::appendFixed(tail, position.longitude(), 8);
    tail += ", ";
    NumberText::appendGeneral(tail, record.position().z());
    tail += ", ";
    tail += record.time().toString(QStringLiteral("yyyy.MM.dd hh:mm:ss:zzz")).toLatin1();
    tail += '\n';
    return tail;
}

void appendValue(QByteArray& bytes, double value)
{
    bytes += ", ";
    NumberText::appendGeneral(bytes, value);
}

QByteArray fixed3(std::initializer_list<double> values)
{
    QByteArray bytes;
    for (double value : values) {
        bytes += ", ";
        NumberText::appendFixed(bytes, value, 3);
    }
    return bytes;
}

void writeKestrionRows(QByteArray& bytes, const ZndTranslator_Kestrion& translator, const TrackRecord& record,
                       const QByteArray& tail)
{
    const Point3D& p = record.position();
    const QByteArray place = fixed3({p.x(), p.y()});
    for (int f = 0; f < ZndTranslator_Kestrion::frequencyCount; ++f) {
        double emfAbs = 0, emfRe = 0, emfIm = 0, phase = 0, appRes = 0;
        translator.computeAll(record.data(), f, &emfAbs, &emfRe, &emfIm, &phase, &appRes);
        NumberText::appendInt(bytes, f + 1);
        bytes += place;
        for (double value : {emfAbs, emfRe, emfIm, phase, appRes})
            appendValue(bytes, value);
        bytes += tail;
    }
}

void writeLegacyRows(QByteArray& bytes, const ZndTranslator_Legacy& translator, const TrackRecord& record,
                     const QByteArray& tail)
{
    const Point3D& p = record.position();
    const QByteArray place = fixed3({p.x(), p.y(), std::sqrt(p.x() * p.x() + p.y() * p.y())});
    for (int f = 0; f < ZndTranslator_Legacy::frequencyCount; ++f) {
        double re = 0, im = 0, current = 0, conductivity = 0, depth = 0, ppm = 0;
        translator.computeAll(record.data(), quint8(f), &re, &im, &current, &conductivity, &depth, &ppm);
        const double phase = re != 0 ? std::atan(im / re) * 180 / 3.141592653589793 : 0.0;
        const double resistivity = conductivity != 0 ? 1 / conductivity : 0.0;
        NumberText::appendInt(bytes, f + 1);
        bytes += place;
        for (double value : {p.z() - depth, std::sqrt(re * re + im * im), im, re, phase, 1000 * conductivity,
                             resistivity, ppm})
            appendValue(bytes, value);
        bytes += tail;
    }
}

// The table of one probe model: its header, then the rows of every record
// of the tracks of that model.
template <typename Translator, std::size_t N, typename Rows>
void writeTable(QTextStream& out, const ExportSource& source, quint8 type, const char* const (&titles)[N],
                Rows writeRows)
{
    const QGeoCoordinate origin = ExportSource::origin(source.info());
    CsvBuffer buffer(out);
    writeHeader(buffer.bytes(), titles);
    Translator translator;
    for (const Track& track : source.tracks()) {
        if (track.probeId().type() != type)
            continue;
        // A block the model finds invalid is exported all the same, computed
        // as the model reads it.
        translator.setSpecifications(track.specifications());
        for (const TrackRecord& record : track.records()) {
            const Point3D& p = record.position();
            writeRows(buffer.bytes(), translator, record, recordTail(record, ExportSource::place(origin, p.x(), p.y())));
            buffer.endRecord();
        }
    }
}

} // namespace

void DataExport::writeVoxler(QTextStream& out, const QList<double>& samples)
{
    CsvBuffer buffer(out);
    QByteArray& bytes = buffer.bytes();
    const int n = samples.size() / 4;
    for (int i = 0; i < n; ++i) {
        for (int c = 0; c < 4; ++c) {
            NumberText::appendFixed(bytes, samples.at(4 * i + c), 6);
            bytes += c < 3 ? ' ' : '\n';
        }
        buffer.endRecord();
    }
}

void DataExport::writeCsv(QTextStream& out, const ExportSource& source)
{
    if (source.tracks().isEmpty())
        return;
    const quint8 type = source.tracks().first().probeId().type();
    if (type == legacyType)
        writeTable<ZndTranslator_Legacy>(out, source, type, legacyTitles, writeLegacyRows);
    else if (type == kestrionType)
        writeTable<ZndTranslator_Kestrion>(out, source, type, kestrionTitles, writeKestrionRows);
}
