#include "app/writtenfile.h"

#include <QFileDevice>
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
