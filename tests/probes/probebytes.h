#pragma once

#include "common/bytebuilder.h"

#include <QByteArray>
#include <QVector>

// Builds specification blocks and raw records byte by byte, independently of
// the stream classes that the code under test uses.
namespace ProbeBytes {

// The date, serial number and vectors with which every specifications block begins.
inline ByteBuilder head(qint32 d1, qint32 d2, qint32 d3, qint32 serial,
                        const QVector<QVector<double>>& vectors)
{
    ByteBuilder b;
    b.i32(d1).i32(d2).i32(d3).i32(serial);
    for (const QVector<double>& vector : vectors) {
        for (double value : vector)
            b.f64(value);
    }
    return b;
}

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
        ByteBuilder b = head(d1, d2, d3, serial, vectors);
        b.f64(rt).i32(nt).f64(r).f64(m).i32(mode);
        return b;
    }
};

// The fields of a legacy block in their byte order; every constant non-zero
// so that the block is valid unless a test spoils it.
struct LegacyBlock
{
    qint32 d1 = 5, d2 = 11, d3 = 2008, serial = 7;
    // F, XP, YP, CC, XAir, YAir, IAir, M1, M2, GF
    QVector<QVector<double>> vectors = QVector<QVector<double>>(10, QVector<double>(14, 1.0));
    double Rt = 0.5;
    qint32 Nt = 10;
    double R1 = 1.0;
    double R2 = 2.0;

    enum Vector { F, XP, YP, CC, XAir, YAir, IAir, M1, M2, GF };

    // F = 10 kHz and M2 = 3 everywhere, and a calibration under which a
    // channel's modulus is |V| / |C| (XP = XAir = YAir = 0, the rest 1).
    // A modulus of 0.001 then has the conductivity 1.4394612206290798 S/m
    // under response model 0 (D = 4.870454551700122e-4,
    // E = 4.128935307811263e-4, worked out to 40 digits).
    static LegacyBlock plain()
    {
        LegacyBlock block;
        block.vectors[F].fill(10.0);
        block.vectors[M2].fill(3.0);
        block.vectors[XP].fill(0.0);
        block.vectors[XAir].fill(0.0);
        block.vectors[YAir].fill(0.0);
        return block;
    }

    QByteArray bytes() const
    {
        ByteBuilder b = head(d1, d2, d3, serial, vectors);
        b.f64(Rt).i32(Nt).f64(R1).f64(R2);
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
    // V = (3, 4) and C = (3000, 4000): the modulus 0.001 under a plain block.
    void setMilli(int channel, bool valid = true) { setChannel(channel, 3 * 128, 4 * 128, 3000, 4000, valid); }
    void setValid(int channel)
    {
        bytes[168 + channel / 8] = char(quint8(bytes[168 + channel / 8]) | (1u << (channel % 8)));
    }
};

} // namespace ProbeBytes
