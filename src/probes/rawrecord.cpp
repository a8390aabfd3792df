#include "probes/rawrecord.h"

qint32 RawRecord::read24(int offset) const
{
    if (!hasValues() || offset < 0 || offset > size - 3)
        return 0;
    const auto byte = [this](int i) { return qint32(quint8(m_bytes.at(i))); };
    qint32 value = (byte(offset) << 16) | (byte(offset + 1) << 8) | byte(offset + 2);
    if (value & 0x800000)
        value -= 0x1000000;
    return value;
}

bool RawRecord::isChannelValid(int channel) const
{
    if (!hasValues() || channel < 0 || channel >= channelCount)
        return false;
    const quint8 bits = quint8(m_bytes.at(validityOffset + channel / 8));
    return (bits >> (channel % 8)) & 1;
}

bool RawRecord::channelValues(int channel, int* vRe, int* vIm, int* cRe, int* cIm) const
{
    *vRe = *vIm = *cRe = *cIm = 0;
    if (!hasValues() || channel < 0 || channel >= channelCount)
        return false;
    const int slot = channel * slotSize;
    *vRe = shiftRight7(read24(slot));
    *vIm = shiftRight7(read24(slot + 3));
    *cRe = read24(slot + 6);
    *cIm = read24(slot + 9);
    return true;
}
