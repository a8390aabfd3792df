#include "common/testregistry.h"
#include "common/testsupport.h"

#include "app/aboutdialog.h"
#include "app/setupapplication.h"
#include "shared/preferences.h"

#include <QApplication>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFile>
#include <QPushButton>
#include <QScopeGuard>
#include <QSettings>
#include <QStyle>
#include <QTimeZone>
#include <QTest>
#include <QTranslator>

#include <ctime>

class StartupTest : public QObject
{
    Q_OBJECT

private:
    QString m_styleSheet;
    QFont m_font;
    QString m_style;

    static void storeLanguage(int language)
    {
        QSettings(QStringLiteral("Tundrack"), QStringLiteral("Preferences")).setValue(QStringLiteral("Language"), language);
        Preferences::destroy();
    }

    static QList<QTranslator*> translators() { return qApp->findChildren<QTranslator*>(); }

    static void removeTranslators()
    {
        for (QTranslator* translator : translators()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }

private slots:
    void initTestCase()
    {
        m_styleSheet = qApp->styleSheet();
        m_font = QApplication::font();
        m_style = QApplication::style()->objectName();
    }

    void cleanup()
    {
        // Leave the application as the other tests expect it.
        removeTranslators();
        qApp->setStyleSheet(m_styleSheet);
        QApplication::setFont(m_font);
        QApplication::setStyle(m_style);
        TestSupport::clearAllSettings();
        Preferences::destroy();
    }

    void styleFontNameAndStyleSheet()
    {
        storeLanguage(0);
        setupApplication(*qApp);
        // With a style sheet, the application's style wraps the one set.
        QStyle* style = QApplication::style();
        if (style->objectName().isEmpty())
            style = style->findChild<QStyle*>();
        QVERIFY(style);
        QCOMPARE(style->objectName(), QStringLiteral("fusion"));
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Tundrack 4.05"));
        QCOMPARE(QApplication::font().family(), QStringLiteral("Consolas"));
        QCOMPARE(QApplication::font().pointSize(), 10);
        QVERIFY(!QApplication::font().italic());
        QVERIFY(QFont::substitutes(QStringLiteral("Consolas")).contains(QStringLiteral("DejaVu Sans Mono"), Qt::CaseInsensitive));
        QVERIFY(!QApplication::windowIcon().isNull());

        QFile resource(QStringLiteral(":/txt/StyleSheet.txt"));
        QVERIFY(resource.open(QIODevice::ReadOnly));
        const QString expected = QString::fromLatin1(resource.readAll());
        QCOMPARE(qApp->styleSheet(), expected);
        QVERIFY(expected.contains(QStringLiteral("QDockWidget::title")));
        QVERIFY(expected.contains(QStringLiteral("#FF8080")));

        // applyAppStyle hands a widget the application's font and style sheet.
        QWidget widget;
        applyAppStyle(&widget);
        QCOMPARE(widget.font().family(), QStringLiteral("Consolas"));
        QCOMPARE(widget.styleSheet(), expected);
    }

    void styleSheetStopsAtZero()
    {
        QCOMPARE(styleSheetFromBytes(QByteArray("QWidget {}\0garbage", 18)), QStringLiteral("QWidget {}"));
        QCOMPARE(styleSheetFromBytes(QByteArray("QWidget {}")), QStringLiteral("QWidget {}"));
        QCOMPARE(styleSheetFromBytes(QByteArray("\xE9", 1)), QString(QChar(0xE9)));
        QVERIFY(styleSheetFromBytes(QByteArray("\0x", 2)).isEmpty());
    }

    void processTimeZone()
    {
        const bool wasSet = qEnvironmentVariableIsSet("TZ");
        const QByteArray saved = qgetenv("TZ");
        auto restore = qScopeGuard([&] {
            if (wasSet)
                qputenv("TZ", saved);
            else
                qunsetenv("TZ");
            tzset();
        });
        // Local times around the clock changes of zones that have them, both
        // ways, as the system's zone reads them.
        auto readings = [] {
            QList<qint64> result;
            for (int month : {1, 3, 4, 7, 10, 11})
                for (int day : {1, 26, 30})
                    for (int hour : {0, 1, 2, 3}) {
                        const QDateTime local(QDate(2026, month, day), QTime(hour, 30), Qt::LocalTime);
                        result << local.toMSecsSinceEpoch() << local.offsetFromUtc();
                    }
            return result;
        };

        qunsetenv("TZ");
        tzset();
        const QList<qint64> unset = readings();
        const QByteArray zone = QTimeZone::systemTimeZoneId();
        fixProcessTimeZone();
        if (QFile::exists(QStringLiteral("/etc/localtime")))
            QCOMPARE(qgetenv("TZ"), QByteArray(":/etc/localtime"));
        else
            QVERIFY(!qEnvironmentVariableIsSet("TZ"));
        QCOMPARE(readings(), unset);
        QCOMPARE(QTimeZone::systemTimeZoneId(), zone);

        // A zone the user gave stays, an empty one too.
        for (const QByteArray& given : {QByteArray("Europe/Moscow"), QByteArray("")}) {
            qputenv("TZ", given);
            fixProcessTimeZone();
            QVERIFY(qEnvironmentVariableIsSet("TZ"));
            QCOMPARE(qgetenv("TZ"), given);
        }
    }

    void translatorsFollowTheLanguage()
    {
        for (int language : {0, 2, -1}) {
            storeLanguage(language);
            setupApplication(*qApp);
            QVERIFY2(translators().isEmpty(), qPrintable(QString::number(language)));
            QCOMPARE(QCoreApplication::translate("UIRangeDialog", "Range"), QStringLiteral("Range"));
            cleanup();
        }
        storeLanguage(1);
        setupApplication(*qApp);
        QCOMPARE(translators().size(), 2);
        QCOMPARE(QCoreApplication::translate("UIRangeDialog", "Range"), QStringLiteral("Диапазон"));
        // Qt's own texts come from the second catalogue.
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Отмена"));
    }

    void aboutDialog()
    {
        AboutDialog dialog;
        QCOMPARE(dialog.vLabel->text(), QStringLiteral("4.05"));
        QCOMPARE(dialog.iLabel->text(), QStringLiteral("Tundrack"));
        QVERIFY(dialog.cLabel->text().contains(QChar(0x00A9)));
        QVERIFY(!dialog.cLabel->text().contains(QStringLiteral("(c)")));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("About Tundrack"));
        QVERIFY(dialog.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!(dialog.windowFlags() & Qt::WindowContextHelpButtonHint));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());

        // Ok ends it.
        TestSupport::onNextModal([](QWidget* modal) {
            auto* about = qobject_cast<AboutDialog*>(modal);
            if (about)
                QTest::mouseClick(about->buttonBox->button(QDialogButtonBox::Ok), Qt::LeftButton);
        });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));

        // A translated notice keeps its (c) turned into the sign.
        storeLanguage(1);
        setupApplication(*qApp);
        AboutDialog russian;
        QVERIFY(russian.cLabel->text().startsWith(QChar(0x00A9)));
        QCOMPARE(russian.windowTitle(), QStringLiteral("О программе Tundrack"));
    }
};

TUNDRACK_TEST(StartupTest)
#include "startuptest.moc"
