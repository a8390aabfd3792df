#include "probes/legacy/legacyspecifications.h"

#include "probes/specificationsstream.h"

LegacySpecifications::LegacySpecifications(const QByteArray& bytes)
{
    for (QVector<double>* vector : vectors())
        vector->fill(0.0, frequencyCount);
    // A block of another length is not this device's: nothing of it is used.
    if (bytes.size() != size)
        return;

    QDataStream in(bytes);
    SpecificationsStream::prepare(in);
    in >> d1 >> d2 >> d3 >> serial;
    for (QVector<double>* vector : vectors()) {
        for (double& value : *vector)
            in >> value;
    }
    in >> Rt >> Nt >> R1 >> R2;
}

QByteArray LegacySpecifications::toByteArray() const
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    SpecificationsStream::prepare(out);
    out << d1 << d2 << d3 << serial;
    for (const QVector<double>* vector : vectors()) {
        for (double value : *vector)
            out << value;
    }
    out << Rt << Nt << R1 << R2;
    return bytes;
}

bool LegacySpecifications::isValid() const
{
    if (serial == 0)
        return false;
    if (Rt == 0.0 || Nt == 0 || R1 == 0.0 || R2 == 0.0)
        return false;
    // The divisors and gains; the rotation and air constants may be 0.
    for (const QVector<double>* vector : {&F, &CC, &IAir, &M1, &M2, &GF}) {
        for (double value : *vector) {
            if (value == 0.0)
                return false;
        }
    }
    return true;
}

QVector<QVector<double>*> LegacySpecifications::vectors()
{
    return {&F, &XP, &YP, &CC, &XAir, &YAir, &IAir, &M1, &M2, &GF};
}

QVector<const QVector<double>*> LegacySpecifications::vectors() const
{
    return {&F, &XP, &YP, &CC, &XAir, &YAir, &IAir, &M1, &M2, &GF};
}
