#pragma once

#include <QDataStream>
#include <QMetaType>
#include <QtGlobal>

// The two-byte identity of a probe model; 0xFF in either byte means none.
class ProbeId
{
public:
    ProbeId() = default;
    ProbeId(quint8 type, quint8 subtype) : m_type(type), m_subtype(subtype) {}

    quint8 type() const { return m_type; }
    quint8 subtype() const { return m_subtype; }
    void setType(quint8 type) { m_type = type; }
    void setSubtype(quint8 subtype) { m_subtype = subtype; }

    bool isValid() const { return m_type < 255 && m_subtype < 255; }
    void clear()
    {
        m_type = 0xFF;
        m_subtype = 0xFF;
    }

    bool operator==(const ProbeId& other) const
    {
        return m_type == other.m_type && m_subtype == other.m_subtype;
    }
    bool operator!=(const ProbeId& other) const { return !(*this == other); }
    bool operator<(const ProbeId& other) const
    {
        if (m_type != other.m_type)
            return m_type < other.m_type;
        return m_subtype < other.m_subtype;
    }

private:
    quint8 m_type = 0xFF;
    quint8 m_subtype = 0xFF;
};

Q_DECLARE_METATYPE(ProbeId)

inline uint qHash(const ProbeId& id, uint seed = 0)
{
    return (uint(id.type()) + 256u * uint(id.subtype())) ^ seed;
}

QDataStream& operator<<(QDataStream& out, const ProbeId& id);
QDataStream& operator>>(QDataStream& in, ProbeId& id);
