#include "app/projectfile.h"

#include "slices/sliceobjectlist.h"
#include "survey/trackblocklist.h"

#include <QDataStream>
#include <QFileInfo>
#include <QSaveFile>

#include <new>

bool ProjectFile::write(QIODevice& device, const TrackBlockList& blocks, const SliceObjectList& slices)
{
    QDataStream out(&device);
    out.setVersion(QDataStream::Qt_5_2);
    out << blocks << slices;
    return out.status() == QDataStream::Ok;
}

bool ProjectFile::save(const QString& fileName, const TrackBlockList& blocks, const SliceObjectList& slices)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // commit() flushes the last buffered bytes itself but, in Qt 5, commits
    // even when that write fails (a full disk), replacing the project with a
    // cut file. So the flush is made here, where its failure can be seen.
    if (!write(file, blocks, slices) || !file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool ProjectFile::read(QIODevice& device, TrackBlockList& blocks, SliceObjectList& slices)
{
    QDataStream in(&device);
    in.setVersion(QDataStream::Qt_5_2);
    // A file that holds more than memory does is refused like a damaged one.
    try {
        in >> blocks >> slices;
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (in.status() != QDataStream::Ok)
        return false;
    blocks.removeDeleted();
    slices.removeDeleted();
    return true;
}

QString ProjectFile::projectName(const QString& fileName)
{
    return QFileInfo(fileName).fileName().remove(QStringLiteral(".td"));
}
