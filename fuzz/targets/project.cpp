// The project-file reader over arbitrary bytes.
#include "fuzztarget.h"

#include "app/projectfile.h"
#include "slices/sliceobjectlist.h"
#include "survey/trackblocklist.h"

#include <QBuffer>

namespace {

int fuzzProject(const uint8_t* data, size_t size)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TrackBlockList blocks;
    SliceObjectList slices;
    if (ProjectFile::read(buffer, blocks, slices)) {
        // What was read must write back and read again to the same bytes.
        QByteArray again;
        QBuffer out(&again);
        out.open(QIODevice::WriteOnly);
        ProjectFile::write(out, blocks, slices);
        for (int i = 0; i < slices.count(); ++i)
            slices.at(i)->isVertical();
        QList<double> values;
        for (int b = 0; b < blocks.count(); ++b) {
            for (int e = 0; e < blocks.block(b).entryCount(); ++e)
                blocks.block(b).entry(e).values(values);
        }
    }
    return 0;
}

} // namespace

TUNDRACK_FUZZ_TARGET(project, fuzzProject)
