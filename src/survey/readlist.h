#pragma once

#include <QDataStream>

// Reads a list written as a 32-bit count followed by its elements.
// Qt's own container readers reserve the whole count up front, so a damaged
// count would allocate gigabytes before the first element fails; this reader
// trusts the count only as far as the elements actually arrive.
// On the first element that fails the container is emptied and the stream
// keeps its error status. A stream already in error reads nothing.
template <typename Container>
QDataStream& readList(QDataStream& in, Container& list)
{
    constexpr quint32 reserveCap = 1024;
    list.clear();
    if (in.status() != QDataStream::Ok)
        return in;
    quint32 count = 0;
    in >> count;
    if (in.status() != QDataStream::Ok)
        return in;
    list.reserve(int(qMin(count, reserveCap)));
    for (quint32 i = 0; i < count; ++i) {
        typename Container::value_type element;
        in >> element;
        if (in.status() != QDataStream::Ok) {
            list.clear();
            break;
        }
        list.append(element);
    }
    return in;
}
