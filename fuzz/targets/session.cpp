// The session-file loader over arbitrary bytes.
#include "fuzztarget.h"

#include "survey/trackblocklist.h"

#include <QBuffer>

namespace {

int fuzzSession(const uint8_t* data, size_t size)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TrackBlockList list;
    if (list.loadSession(buffer, QStringLiteral("fuzz.kv"))) {
        // A loaded block must be usable by what reads it next.
        TrackBlock& block = list.block(0);
        QList<double> values;
        for (int i = 0; i < block.entryCount(); ++i)
            block.entry(i).values(values);
        list.probeIds();
        // A loaded block must also be savable in a project.
        QByteArray project;
        QDataStream out(&project, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_5_2);
        out << list;
    }
    return 0;
}

} // namespace

TUNDRACK_FUZZ_TARGET(session, fuzzSession)
