#include "common/testregistry.h"

#include <QDir>
#include <QIcon>
#include <QPixmap>
#include <QTest>

class IconsTest : public QObject
{
    Q_OBJECT

private slots:
    void everyIconLoads_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        const QSize menu(32, 32);
        const QSize row(26, 12);
        const QList<QPair<const char*, QSize>> icons = {
            {"logo", QSize(64, 64)}, {"new", menu}, {"save", menu}, {"open", menu},
            {"disk.read", menu}, {"disk.write", menu}, {"table.export", menu}, {"add", menu},
            {"preferences", menu}, {"processing", menu}, {"convert", menu}, {"about", menu},
            {"qt", menu}, {"fit", QSize(16, 16)}, {"image.export", menu}, {"v", row},
            {"h", row}, {"delete", row}, {"move", row}, {"view", row}, {"rotate", row},
            {"scale", row}, {"info", row}, {"distribution", row}, {"profile", row},
            {"EN", QSize(24, 16)}, {"RU", QSize(24, 16)},
        };
        QCOMPARE(icons.size(), 27);
        for (const auto& icon : icons)
            QTest::newRow(icon.first) << QString::fromLatin1(icon.first) << icon.second;
    }

    void everyIconLoads()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        const QString path = QStringLiteral(":/png/%1.png").arg(name);
        const QPixmap pixmap(path);
        QVERIFY2(!pixmap.isNull(), qPrintable(path));
        // The rows and labels show the pixmaps at their own size.
        QCOMPARE(pixmap.size(), size);
        QVERIFY(pixmap.hasAlphaChannel());
        QVERIFY(!QIcon(path).isNull());

        // Each icon draws something on a transparent ground.
        const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
        int opaque = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(image.pixel(x, y)) > 128)
                    ++opaque;
        QVERIFY2(opaque >= image.width() * image.height() / 10, qPrintable(name));
        QVERIFY2(opaque < image.width() * image.height(), qPrintable(name));
    }

    void noOtherIconNames()
    {
        // The menus, rows and dialogs ask for exactly these; a missing or
        // misspelt one would show as an empty icon without any error.
        QDir folder(QStringLiteral(":/png"));
        QCOMPARE(folder.entryList(QDir::Files).size(), 27);
    }
};

TUNDRACK_TEST(IconsTest)

#include "iconstest.moc"
