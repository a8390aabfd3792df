#include "common/bytebuilder.h"
#include "common/exhaustingdevice.h"
#include "common/sessionwriter.h"
#include "common/testregistry.h"
#include "common/testsupport.h"

#include "app/projectfile.h"
#include "slices/sliceobjectlist.h"
#include "survey/readbytearray.h"
#include "survey/trackblocklist.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

QByteArray written(const TrackBlockList& blocks, const SliceObjectList& slices)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!ProjectFile::write(buffer, blocks, slices))
        return QByteArray();
    return bytes;
}

bool readBack(const QByteArray& bytes, TrackBlockList& blocks, SliceObjectList& slices)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return ProjectFile::read(buffer, blocks, slices);
}

SliceObject slice(const QString& title, const QPolygonF& polygon, double height = 0.0)
{
    SliceObject s;
    s.setTitle(title);
    s.setPolygon(polygon);
    s.setHeight(height);
    return s;
}

} // namespace

class ProjectFileTest : public QObject
{
    Q_OBJECT

private slots:
    void emptyProjectIsTwoCounts()
    {
        TrackBlockList blocks;
        SliceObjectList slices;
        QCOMPARE(written(blocks, slices), QByteArray(8, '\0'));
        TrackBlockList readBlocks;
        SliceObjectList readSlices;
        QVERIFY(readBack(QByteArray(8, '\0'), readBlocks, readSlices));
        QCOMPARE(readBlocks.count(), 0);
        QCOMPARE(readSlices.count(), 0);
    }

    void blocksThenSlices()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.kv"));
        QVERIFY(SessionWriter::write(path, {{QStringLiteral("latitude"), QStringLiteral("60")}},
                                     {SessionWriter::track(ProbeId(0, 0), QByteArray("\1\2\3\4\5", 5),
                                                           {SessionWriter::simulatorRecord({1, 2, 3, 4, 5}, {1, 1, 1, 1, 1})})}));
        TrackBlockList blocks;
        QVERIFY(blocks.loadSession(path));
        QVERIFY(blocks.loadSession(path));
        QVERIFY(blocks.loadSession(path));
        blocks.block(1).markDeleted();
        blocks.block(2).setEnabled(false);
        SliceObjectList slices;
        slices.append(slice(QStringLiteral("#1"), QPolygonF(QVector<QPointF>{QPointF(0, 0), QPointF(10, 0)})));
        slices.append(slice(QStringLiteral("#2"), QPolygonF({QPointF(0, 0), QPointF(1, 0), QPointF(1, 1), QPointF(0, 1)}), 4.5));
        slices.append(slice(QStringLiteral("#3"), QPolygonF(QVector<QPointF>{QPointF(5, 5), QPointF(6, 6)})));
        slices.at(2)->setDeleted();
        slices.at(1)->setEnabled(false);

        const QByteArray bytes = written(blocks, slices);
        QCOMPARE(bytes, TestSupport::streamed(blocks) + TestSupport::streamed(slices));

        // Deleted blocks and slices are stored as they are and dropped on reading.
        TrackBlockList readBlocks;
        SliceObjectList readSlices;
        QVERIFY(readBack(bytes, readBlocks, readSlices));
        QCOMPARE(readBlocks.count(), 2);
        QVERIFY(readBlocks.block(0).isEnabled());
        QVERIFY(!readBlocks.block(1).isEnabled());
        QCOMPARE(readBlocks.block(1).info().value(QStringLiteral("latitude")), QStringLiteral("60"));
        QCOMPARE(readSlices.count(), 2);
        QCOMPARE(readSlices.at(1)->title(), QStringLiteral("#2"));
        QCOMPARE(readSlices.at(1)->height(), 4.5);
        QVERIFY(!readSlices.at(1)->isEnabled());
        QCOMPARE(readSlices.at(0)->polygon().size(), 2);
        QVERIFY(!readSlices.at(0)->isDeleted());
    }

    void damagedFilesAreRefused()
    {
        TrackBlockList blocks;
        SliceObjectList slices;
        slices.append(slice(QStringLiteral("x"), QPolygonF(QVector<QPointF>{QPointF(0, 0), QPointF(10, 0)})));
        const QByteArray bytes = written(blocks, slices);
        for (int cut = 0; cut < bytes.size(); ++cut) {
            TrackBlockList readBlocks;
            SliceObjectList readSlices;
            QVERIFY2(!readBack(bytes.left(cut), readBlocks, readSlices), qPrintable(QString::number(cut)));
        }
        for (const QByteArray& bad : {ByteBuilder().u32(0x7FFFFFFF).u8(0).bytes(),
                                      ByteBuilder().u32(0).u32(0x7FFFFFFF).bytes(),
                                      QByteArray("a text file, not a project\n")}) {
            TrackBlockList readBlocks;
            SliceObjectList readSlices;
            QVERIFY(!readBack(bad, readBlocks, readSlices));
        }
        // A raw record above 1 MiB is damage, one of exactly 1 MiB is not;
        // running out of memory while reading refuses the file too.
        for (int extra : {0, 1}) {
            QByteArray session = SessionWriter::bytes(
                {}, {SessionWriter::track(ProbeId(0, 0), QByteArray(), {QByteArray(int(maxStoredByteArray), '\2')})});
            QBuffer sessionBuffer(&session);
            sessionBuffer.open(QIODevice::ReadOnly);
            TrackBlockList big;
            QVERIFY(big.loadSession(sessionBuffer, QStringLiteral("big.kv")));
            QByteArray project = written(big, SliceObjectList());
            if (extra) {
                // The record's length field sits right before its bytes.
                const int at = project.indexOf(QByteArray(16, '\2')) - 4;
                QCOMPARE(qFromBigEndian<quint32>(project.constData() + at), maxStoredByteArray);
                qToBigEndian<quint32>(maxStoredByteArray + 1, project.data() + at);
                project.insert(at + 4, '\2');
            }
            TrackBlockList readBlocks;
            SliceObjectList readSlices;
            QCOMPARE(readBack(project, readBlocks, readSlices), extra == 0);
            ExhaustingDevice exhausted(project.left(project.size() / 2));
            QVERIFY(!ProjectFile::read(exhausted, readBlocks, readSlices));
        }
        // Trailing bytes after the two lists are ignored.
        TrackBlockList readBlocks;
        SliceObjectList readSlices;
        QVERIFY(readBack(bytes + "tail", readBlocks, readSlices));
        QCOMPARE(readSlices.count(), 1);
    }

    void projectNames()
    {
        QCOMPARE(ProjectFile::projectName(QStringLiteral("/home/u/x.td")), QStringLiteral("x"));
        QCOMPARE(ProjectFile::projectName(QStringLiteral("/home/u/x.td.td")), QStringLiteral("x"));
        QCOMPARE(ProjectFile::projectName(QStringLiteral("/home/u/x.TD")), QStringLiteral("x.TD"));
        QCOMPARE(ProjectFile::projectName(QStringLiteral("/data.td/survey")), QStringLiteral("survey"));
        QCOMPARE(ProjectFile::projectName(QStringLiteral("a.tdx")), QStringLiteral("ax"));
    }
};

TUNDRACK_TEST(ProjectFileTest)
#include "projectfiletest.moc"
