#include "survey/readbytearray.h"

QDataStream& readByteArray(QDataStream& in, QByteArray& bytes)
{
    bytes.clear();
    if (in.status() != QDataStream::Ok)
        return in;
    quint32 length = 0;
    in >> length;
    if (in.status() != QDataStream::Ok || length == 0xFFFFFFFFu)
        return in;
    if (length > maxStoredByteArray) {
        in.setStatus(QDataStream::ReadCorruptData);
        return in;
    }
    // An empty array read this way is empty but not null, as Qt reads it,
    // so that it is written back the same.
    bytes.resize(int(length));
    if (in.readRawData(bytes.data(), int(length)) != int(length)) {
        bytes.clear();
        in.setStatus(QDataStream::ReadPastEnd);
    }
    return in;
}
