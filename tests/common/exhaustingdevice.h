#pragma once

#include <QByteArray>
#include <QIODevice>

#include <new>

// A device that holds some bytes and then runs out of memory, the way a
// reader does on a file that holds more than memory can: the read that
// wants more than it holds throws std::bad_alloc.
class ExhaustingDevice : public QIODevice
{
public:
    explicit ExhaustingDevice(const QByteArray& bytes) : m_bytes(bytes) { open(QIODevice::ReadOnly); }

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        if (m_position >= m_bytes.size())
            throw std::bad_alloc();
        const qint64 n = qMin(maxSize, qint64(m_bytes.size()) - m_position);
        memcpy(data, m_bytes.constData() + m_position, size_t(n));
        m_position += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qint64 m_position = 0;
};
