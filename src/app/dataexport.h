#pragma once

#include <QList>

class ExportSource;
class QTextStream;

// The two text formats of the data export. Both only fill a stream; opening
// and checking the file is the caller's.
class DataExport
{
public:
    // A line "x y z value" with six decimals for each complete quadruple of
    // samples, as the sample collection lays them out; an incomplete tail is
    // dropped.
    static void writeVoxler(QTextStream& out, const QList<double>& samples);

    // Every quantity of every frequency of every record of the tracks whose
    // probe model is the first track's, with each record's geographic
    // position, altitude and time. Only the legacy probe (14 rows per record)
    // and the Kestrion probe (3 rows) have a table; for any other first
    // track, or no track, nothing is written.
    static void writeCsv(QTextStream& out, const ExportSource& source);
};
