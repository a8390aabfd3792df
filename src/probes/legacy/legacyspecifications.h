#pragma once

#include <QByteArray>
#include <QVector>

// The legacy probe's specifications block: date, serial number and the
// calibration and geometry constants of its 14 frequencies, 1164 bytes of a
// version 15 big-endian data stream. Only a block of exactly that length is
// read; bytes of any other length leave every field at its default (date
// 1/1/2000, serial 0, all constants 0), which is not valid.
//
// A plain value: the translator keeps one, and whoever needs the device's
// serial number of a track may build one from the track's bytes.
class LegacySpecifications
{
public:
    static constexpr int size = 1164;
    static constexpr int frequencyCount = 14;

    explicit LegacySpecifications(const QByteArray& bytes = QByteArray());

    // The fields in their block order, always 1164 bytes.
    QByteArray toByteArray() const;
    // Serial number, Rt, Nt, R1, R2 and every element of F, CC, IAir, M1, M2
    // and GF non-zero (a NaN passes, -0.0 does not). XP, YP, XAir, YAir and
    // the date are not looked at.
    bool isValid() const;

    qint32 d1 = 1;
    qint32 d2 = 1;
    qint32 d3 = 2000;
    // The device's serial number; 0 for no device.
    qint32 serial = 0;
    // Element f belongs to frequency index f; each holds 14 elements.
    QVector<double> F;  // kHz
    QVector<double> XP;
    QVector<double> YP;
    QVector<double> CC;
    QVector<double> XAir;
    QVector<double> YAir;
    QVector<double> IAir;
    QVector<double> M1;
    QVector<double> M2;
    QVector<double> GF;
    double Rt = 0.0;
    qint32 Nt = 0;
    double R1 = 0.0;
    double R2 = 0.0;

private:
    QVector<QVector<double>*> vectors();
    QVector<const QVector<double>*> vectors() const;
};
