#pragma once

#include <QString>

class QIODevice;
class SliceObjectList;
class TrackBlockList;

// The project file: the block list and then the slice list in one version-15
// data stream, with nothing before, between or after them.
class ProjectFile
{
public:
    // Writes both lists; false when the stream could not write everything.
    static bool write(QIODevice& device, const TrackBlockList& blocks, const SliceObjectList& slices);
    // Writes both lists into the file, which is replaced only when all of
    // it was written; otherwise the file stays as it was and false is
    // returned.
    static bool save(const QString& fileName, const TrackBlockList& blocks, const SliceObjectList& slices);
    // Reads both lists into the given (empty) ones. False for a damaged or
    // truncated file; the lists then hold nothing worth keeping. Blocks and
    // slices stored as deleted are dropped.
    static bool read(QIODevice& device, TrackBlockList& blocks, SliceObjectList& slices);
    // The project's name for a file: the file name without any ".td".
    static QString projectName(const QString& fileName);
};
