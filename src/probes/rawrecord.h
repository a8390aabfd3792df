#pragma once

#include <QByteArray>

// Read access to the 176-byte raw device record shared by the Kestrion and
// the legacy probes: 14 channel slots of four 24-bit big-endian signed values
// (V.Re, V.Im, C.Re, C.Im), then two bytes of validity bits. A record of any
// other length carries no values, and nothing outside the record is read.
class RawRecord
{
public:
    static constexpr int size = 176;
    static constexpr int channelCount = 14;
    static constexpr int slotSize = 12;
    static constexpr int validityOffset = 168;

    explicit RawRecord(const QByteArray& bytes) : m_bytes(bytes) {}

    // True when the record has the one length that carries values.
    bool hasValues() const { return m_bytes.size() == size; }

    // The sign-extended 24-bit big-endian value at offset, 0 when the three
    // bytes are not all inside a record of the right length.
    qint32 read24(int offset) const;

    // Whether the channel holds a measurement; false for a channel outside
    // 0 ... 13 or a record of the wrong length.
    bool isChannelValid(int channel) const;

    // The four values of a channel, the V parts divided by 128 rounded towards
    // minus infinity. Gives false and zeros for a channel outside the record
    // or a record of the wrong length; the validity bit is not looked at.
    bool channelValues(int channel, int* vRe, int* vIm, int* cRe, int* cIm) const;

    // Division by 128 rounded towards minus infinity, whatever the compiler
    // makes of shifting a negative number.
    static qint32 shiftRight7(qint32 value)
    {
        return value < 0 ? ~(~value >> 7) : value >> 7;
    }

private:
    QByteArray m_bytes;
};
