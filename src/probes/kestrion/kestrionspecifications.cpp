#include "probes/kestrion/kestrionspecifications.h"

#include "probes/specificationsstream.h"

KestrionSpecifications::KestrionSpecifications(const QByteArray& bytes)
{
    for (QVector<double>* vector : vectors())
        vector->fill(0.0, frequencyCount);

    // A short read leaves the stream's zero in every field it does not reach.
    QDataStream in(bytes);
    SpecificationsStream::prepare(in);
    in >> d1 >> d2 >> d3 >> serial;
    for (QVector<double>* vector : vectors()) {
        for (double& value : *vector)
            in >> value;
    }
    in >> rt >> nt >> r >> m >> mode;
}

QByteArray KestrionSpecifications::toByteArray() const
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    SpecificationsStream::prepare(out);
    out << d1 << d2 << d3 << serial;
    for (const QVector<double>* vector : vectors()) {
        for (double value : *vector)
            out << value;
    }
    out << rt << nt << r << m << mode;
    return bytes;
}

bool KestrionSpecifications::isValid() const
{
    if (serial == 0 || rt == 0.0 || nt == 0 || r == 0.0 || m == 0.0)
        return false;
    for (const QVector<double>* vector : vectors()) {
        for (double value : *vector) {
            if (value == 0.0)
                return false;
        }
    }
    return true;
}

QVector<QVector<double>*> KestrionSpecifications::vectors()
{
    return {&F, &XP, &YP, &XA, &YA, &IA, &XAU, &YAU, &IAU, &GF, &AC, &BC, &IC};
}

QVector<const QVector<double>*> KestrionSpecifications::vectors() const
{
    return {&F, &XP, &YP, &XA, &YA, &IA, &XAU, &YAU, &IAU, &GF, &AC, &BC, &IC};
}
