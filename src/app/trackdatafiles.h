#pragma once

#include <QByteArray>
#include <QString>

class QTextStream;
class Track;
class ZndTranslator;

// The files of one track that the entry information dialog reads and
// writes: its specifications block, byte for byte without header, and its
// raw records as space-separated text.
class TrackDataFiles
{
public:
    enum Result { Done, CannotOpen, CannotRead, CannotWrite, TooLarge };

    // No valid block comes near this (the largest is 1,164 bytes); a larger
    // file is no block and is not read whole.
    static constexpr qint64 maxSpecificationsSize = 64 * 1024;

    // The whole file into bytes, which stay untouched unless Done. A file
    // that holds more than maxSpecificationsSize bytes is TooLarge.
    static Result readSpecifications(const QString& path, QByteArray* bytes);
    // Replaces the file's content with the bytes unchanged.
    static Result writeSpecifications(const QString& path, const QByteArray& bytes);

    // Writes the raw-data text into the file, after its content (append) or
    // in place of it. The translator must already hold the track's
    // specifications.
    static Result saveRawData(const QString& path, bool append, const Track& track,
                              ZndTranslator& translator, bool headers);
    // The raw-data text: with headers a line "X[m] Y[m] Z[m]" and the model's
    // column names, then per record its position and the model's raw values.
    // Every field is followed by one space; lines end with "\n".
    static void writeRawData(QTextStream& out, const Track& track, ZndTranslator& translator,
                             bool headers);
};
