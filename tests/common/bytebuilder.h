#pragma once

#include <QByteArray>
#include <QString>
#include <QtEndian>

#include <cstring>

// Builds expected stream bytes by hand, big-endian like a version-15 data stream.
class ByteBuilder
{
public:
    ByteBuilder& u8(quint8 v)
    {
        m_bytes.append(char(v));
        return *this;
    }
    ByteBuilder& u16(quint16 v)
    {
        char b[2];
        qToBigEndian(v, b);
        m_bytes.append(b, 2);
        return *this;
    }
    ByteBuilder& u32(quint32 v)
    {
        char b[4];
        qToBigEndian(v, b);
        m_bytes.append(b, 4);
        return *this;
    }
    ByteBuilder& i32(qint32 v) { return u32(quint32(v)); }
    ByteBuilder& i64(qint64 v)
    {
        char b[8];
        qToBigEndian(v, b);
        m_bytes.append(b, 8);
        return *this;
    }
    ByteBuilder& f64(double v)
    {
        quint64 bits;
        std::memcpy(&bits, &v, 8);
        return i64(qint64(bits));
    }
    ByteBuilder& raw(const QByteArray& bytes)
    {
        m_bytes.append(bytes);
        return *this;
    }
    // A QByteArray as streamed: length then bytes, 0xFFFFFFFF for null.
    ByteBuilder& array(const QByteArray& bytes)
    {
        if (bytes.isNull())
            return u32(0xFFFFFFFFu);
        u32(quint32(bytes.size()));
        return raw(bytes);
    }
    // A QString as streamed: byte length then UTF-16 big-endian units.
    ByteBuilder& string(const QString& text)
    {
        if (text.isNull())
            return u32(0xFFFFFFFFu);
        u32(quint32(text.size() * 2));
        for (QChar c : text)
            u16(c.unicode());
        return *this;
    }
    ByteBuilder& point(double x, double y, double z) { return f64(x).f64(y).f64(z); }

    const QByteArray& bytes() const { return m_bytes; }
    operator QByteArray() const { return m_bytes; }

private:
    QByteArray m_bytes;
};
