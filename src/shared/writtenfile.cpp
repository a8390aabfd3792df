#include "shared/writtenfile.h"

#include <QFile>
#include <QTextStream>

bool WrittenFile::finish(QFileDevice& file)
{
    const bool flushed = file.flush() && file.error() == QFileDevice::NoError;
    file.close();
    return flushed && file.error() == QFileDevice::NoError;
}

bool WrittenFile::finish(QTextStream& out, QFileDevice& file)
{
    out.flush();
    const bool streamed = out.status() == QTextStream::Ok;
    return finish(file) && streamed;
}

WrittenFile::Result WrittenFile::writeText(const QString& fileName, const std::function<void(QTextStream&)>& write,
                                           QIODevice::OpenMode mode)
{
    QFile file(fileName);
    if (!file.open(mode))
        return CannotOpen;
    QTextStream out(&file);
    write(out);
    return finish(out, file) ? Written : CannotWrite;
}
