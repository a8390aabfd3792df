#include "common/testregistry.h"

#include "shared/elidedlabel.h"

#include <QApplication>
#include <QHelpEvent>
#include <QScreen>
#include <QTest>
#include <QTextDocumentFragment>
#include <QToolTip>

class ElidedLabelTest : public QObject
{
    Q_OBJECT

private slots:
    void longTextGivesWay()
    {
        // At most a third of the screen; on screen only, the text is cut short.
        const QString name = QStringLiteral("north <b>&</b> south ") + QString(230, QLatin1Char('w'));
        ElidedLabel label;
        label.setText(name);
        QCOMPARE(label.sizeHint().width(), label.screen()->availableGeometry().width() / 3);
        QVERIFY(label.minimumSizeHint().width() < label.fontMetrics().horizontalAdvance(QStringLiteral("www")));
        label.resize(label.sizeHint());
        label.show();
        QVERIFY(QTest::qWaitForWindowExposed(&label));
        QCOMPARE(label.text(), name);
        const QString shown = label.shownText();
        QVERIFY(shown.endsWith(QChar(0x2026)) && name.startsWith(shown.chopped(1)));
        QVERIFY(label.fontMetrics().horizontalAdvance(shown) <= label.width());

        // The whole name, as plain text, is the tooltip.
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), label.mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(&label, &help);
        QTRY_COMPARE(QTextDocumentFragment::fromHtml(QToolTip::text()).toPlainText(), name);
        QToolTip::hideText();

        // A short name is a plain label.
        label.setText(QStringLiteral("a.kv"));
        QLabel plain(label.text());
        QCOMPARE(label.sizeHint(), plain.sizeHint());
        QCOMPARE(label.shownText(), label.text());
    }
};

TUNDRACK_TEST(ElidedLabelTest)
#include "elidedlabeltest.moc"
