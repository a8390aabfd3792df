// Runs every file of a corpus folder through one fuzz target, so that each
// input a fuzzer ever found stays a regression test.
#include "fuzztarget.h"

#include <QDir>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv)
{
    fuzzSetUpApplication(&argc, argv);
    if (argc != 3 || !FuzzTarget::targets().count(argv[1])) {
        std::fprintf(stderr, "usage: tundrack-fuzz-replay TARGET FOLDER\n");
        return 2;
    }
    const FuzzFunction function = FuzzTarget::targets().at(argv[1]);
    const QDir dir(QString::fromLocal8Bit(argv[2]));
    const QStringList names = dir.entryList(QDir::Files, QDir::Name);
    if (names.isEmpty()) {
        std::fprintf(stderr, "empty corpus %s\n", argv[2]);
        return 1;
    }
    for (const QString& name : names) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            return 1;
        const QByteArray bytes = file.readAll();
        function(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
    }
    std::printf("replayed %d inputs\n", int(names.size()));
    return 0;
}
