#pragma once

#include <QDataStream>

// The stream settings of the probes' specifications blocks, as the devices
// write them: version 15, big-endian, doubles as 8 bytes.
class SpecificationsStream
{
public:
    static void prepare(QDataStream& stream)
    {
        stream.setVersion(QDataStream::Qt_5_2);
        stream.setByteOrder(QDataStream::BigEndian);
        stream.setFloatingPointPrecision(QDataStream::DoublePrecision);
    }
};
