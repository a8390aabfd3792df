#include "app/projectfile.h"

#include "slices/sliceobjectlist.h"
#include "survey/trackblocklist.h"

#include <QDataStream>
#include <QFileInfo>

bool ProjectFile::write(QIODevice& device, const TrackBlockList& blocks, const SliceObjectList& slices)
{
    QDataStream out(&device);
    out.setVersion(QDataStream::Qt_5_2);
    out << blocks << slices;
    return out.status() == QDataStream::Ok;
}

bool ProjectFile::read(QIODevice& device, TrackBlockList& blocks, SliceObjectList& slices)
{
    QDataStream in(&device);
    in.setVersion(QDataStream::Qt_5_2);
    in >> blocks >> slices;
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
