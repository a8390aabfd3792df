#pragma once

#include <QByteArray>
#include <QVector>

// The Kestrion specifications block: date, serial number and the calibration
// constants of the three frequencies, 360 bytes of a version 15 big-endian
// data stream. Bytes of any length are accepted: fields that they do not
// reach read as 0 and bytes after the block are ignored.
class KestrionSpecifications
{
public:
    static constexpr int size = 360;
    static constexpr int frequencyCount = 3;

    explicit KestrionSpecifications(const QByteArray& bytes = QByteArray());

    QByteArray toByteArray() const;
    // Serial number, the rt/nt/r/m constants and every vector element
    // non-zero; the date and mode are not looked at.
    bool isValid() const;

    qint32 d1 = 1;
    qint32 d2 = 1;
    qint32 d3 = 2000;
    qint32 serial = 0;
    QVector<double> F;
    QVector<double> XP;
    QVector<double> YP;
    QVector<double> XA;
    QVector<double> YA;
    QVector<double> IA;
    QVector<double> XAU;
    QVector<double> YAU;
    QVector<double> IAU;
    QVector<double> GF;
    QVector<double> AC;
    QVector<double> BC;
    QVector<double> IC;
    double rt = 0.0;
    qint32 nt = 0;
    double r = 0.0;
    double m = 0.0;
    qint32 mode = 0;

private:
    QVector<QVector<double>*> vectors();
    QVector<const QVector<double>*> vectors() const;
};
