#include "survey/probeid.h"

QDataStream& operator<<(QDataStream& out, const ProbeId& id)
{
    out << id.type() << id.subtype();
    return out;
}

QDataStream& operator>>(QDataStream& in, ProbeId& id)
{
    quint8 type = 0xFF;
    quint8 subtype = 0xFF;
    in >> type >> subtype;
    id = ProbeId(type, subtype);
    return in;
}
