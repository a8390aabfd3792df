#pragma once

#include "common/bytebuilder.h"

#include <QByteArray>
#include <QVector>

// Builds specification blocks and raw records byte by byte, independently of
// the stream classes that the code under test uses.
namespace ProbeBytes {

// The fields of a Kestrion block in their byte order; every constant
// non-zero so that the block is valid unless a test spoils it.
struct KestrionBlock
{
    qint32 d1 = 12, d2 = 3, d3 = 2019, serial = 5;
    // F, XP, YP, XA, YA, IA, XAU, YAU, IAU, GF, AC, BC, IC
    QVector<QVector<double>> vectors = QVector<QVector<double>>(13, {1.0, 2.0, 3.0});
    double rt = 0.5;
    qint32 nt = 7;
    double r = 1.5;
    double m = 2.5;
    qint32 mode = 1;

    enum Vector { F, XP, YP, XA, YA, IA, XAU, YAU, IAU, GF, AC, BC, IC };

    QByteArray bytes() const
    {
        ByteBuilder b;
        b.i32(d1).i32(d2).i32(d3).i32(serial);
        for (const QVector<double>& vector : vectors) {
            for (double value : vector)
                b.f64(value);
        }
        b.f64(rt).i32(nt).f64(r).f64(m).i32(mode);
        return b;
    }
};

// A 176-byte raw record: 14 slots of four 24-bit values, two validity bytes.
struct RawRecordBytes
{
    QByteArray bytes = QByteArray(176, '\0');

    void set24(int offset, qint32 value)
    {
        const quint32 u = quint32(value) & 0xFFFFFF;
        bytes[offset] = char(u >> 16);
        bytes[offset + 1] = char((u >> 8) & 0xFF);
        bytes[offset + 2] = char(u & 0xFF);
    }
    // Raw values as the device writes them, before any shift.
    void setChannel(int channel, qint32 vRe, qint32 vIm, qint32 cRe, qint32 cIm, bool valid = true)
    {
        set24(12 * channel, vRe);
        set24(12 * channel + 3, vIm);
        set24(12 * channel + 6, cRe);
        set24(12 * channel + 9, cIm);
        if (valid)
            setValid(channel);
    }
    void setValid(int channel)
    {
        bytes[168 + channel / 8] = char(quint8(bytes[168 + channel / 8]) | (1u << (channel % 8)));
    }
};

} // namespace ProbeBytes
