#include "common/testregistry.h"

#include "shared/writtenfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

class WrittenFileTest : public QObject
{
    Q_OBJECT

private slots:
    void writeReplaceAndAppend()
    {
        QTemporaryDir dir;
        QCOMPARE(WrittenFile::writeText(dir.filePath("a.txt"), [](QTextStream& out) { out << "x\n"; }), WrittenFile::Written);
        QCOMPARE(WrittenFile::writeText(dir.filePath("a.txt"), [](QTextStream& out) { out << "y\n"; },
                                       QIODevice::WriteOnly | QIODevice::Append),
                 WrittenFile::Written);
        QFile file(dir.filePath("a.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("x\ny\n"));
    }
};

TUNDRACK_TEST(WrittenFileTest)
#include "writtenfiletest.moc"
