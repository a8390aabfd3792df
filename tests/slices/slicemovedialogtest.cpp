#include "common/commadesktop.h"
#include "common/testregistry.h"
#include "common/testsupport.h"

#include "shared/elidedlabel.h"
#include "slices/move2dialog.h"
#include "slices/move3dialog.h"

#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using TestSupport::nextTabStop;
using TestSupport::typeInto;

namespace {

void checkWindow(QDialog& dialog)
{
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Move"));
    // A title bar with the close button only (Qt adds the title and system
    // menu hints that a close button needs).
    const Qt::WindowFlags flags = dialog.windowFlags();
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowContextHelpButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(dialog.minimumSize(), dialog.sizeHint());
    QCOMPARE(dialog.maximumSize(), dialog.sizeHint());
    QVERIFY(dialog.parentWidget() == nullptr);
}

void checkTitle(QLabel* label, const QString& title)
{
    // The title is shown as it is, never as markup, in normal weight.
    QCOMPARE(label->text(), title);
    QCOMPARE(label->textFormat(), Qt::PlainText);
    QVERIFY(!label->font().bold());
    QCOMPARE(label->alignment(), Qt::AlignCenter);
}

void checkSharedValidator(const QList<QLineEdit*>& edits)
{
    const QValidator* shared = edits.first()->validator();
    QVERIFY(shared != nullptr);
    for (const QLineEdit* edit : edits)
        QCOMPARE(edit->validator(), shared);
}

QStringList texts(const QList<QLineEdit*>& edits)
{
    QStringList shown;
    for (const QLineEdit* edit : edits)
        shown << edit->text();
    return shown;
}

} // namespace

class SliceMoveDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void move2Dialog()
    {
        Move2Dialog dialog(QStringLiteral("<b>cut</b> & 1"), QPointF(1.234, -5.678), QPointF(1000000.5, 0.004));
        checkWindow(dialog);
        checkTitle(dialog.titleLabel, QStringLiteral("<b>cut</b> & 1"));
        QCOMPARE(dialog.x1Label->text(), QStringLiteral("X1 [m]:"));
        QCOMPARE(dialog.y1Label->text(), QStringLiteral("Y1 [m]:"));
        QCOMPARE(dialog.x2Label->text(), QStringLiteral("X2 [m]:"));
        QCOMPARE(dialog.y2Label->text(), QStringLiteral("Y2 [m]:"));
        const QList<QLineEdit*> edits = {dialog.x1LineEdit, dialog.y1LineEdit, dialog.x2LineEdit, dialog.y2LineEdit};
        checkSharedValidator(edits);

        // Layout: the title over both columns, the buttons under the edits.
        int row = -1;
        int column = -1;
        int rowSpan = 0;
        int columnSpan = 0;
        dialog.gridLayout->getItemPosition(dialog.gridLayout->indexOf(dialog.titleLabel), &row, &column, &rowSpan,
                                           &columnSpan);
        QCOMPARE(row, 0);
        QCOMPARE(columnSpan, 2);
        dialog.gridLayout->getItemPosition(dialog.gridLayout->indexOf(dialog.buttonBox), &row, &column, &rowSpan,
                                           &columnSpan);
        QCOMPARE(row, 5);
        QCOMPARE(column, 1);
        QCOMPARE(dialog.buttonBox->standardButtons(), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);

        // Shown rounded, without group separators, and handed back as shown.
        QCOMPARE(texts(edits), (QStringList{QStringLiteral("1.23"), QStringLiteral("-5.68"),
                                            QStringLiteral("1000000.50"), QStringLiteral("0.00")}));
        QCOMPARE(dialog.polygon(), QPolygonF() << QPointF(1.23, -5.68) << QPointF(1000000.5, 0));

        QCOMPARE(nextTabStop(dialog.x1LineEdit), static_cast<QWidget*>(dialog.y1LineEdit));
        QCOMPARE(nextTabStop(dialog.y1LineEdit), static_cast<QWidget*>(dialog.x2LineEdit));
        QCOMPARE(nextTabStop(dialog.x2LineEdit), static_cast<QWidget*>(dialog.y2LineEdit));

        // OK accepts, Cancel rejects.
        dialog.buttonBox->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        dialog.buttonBox->button(QDialogButtonBox::Cancel)->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void move2DialogNumbers()
    {
        CommaDesktop desktop;
        Move2Dialog dialog(QStringLiteral("a"), QPointF(2.5, 0), QPointF(-1, 1));
        QCOMPARE(dialog.x1LineEdit->text(), QStringLiteral("2.50"));

        typeInto(dialog.x1LineEdit, QStringLiteral("-2.5"));
        QCOMPARE(dialog.x1LineEdit->text(), QStringLiteral("-2.5"));
        // A decimal comma becomes a point as it is typed.
        typeInto(dialog.y1LineEdit, QStringLiteral("2,5"));
        QCOMPARE(dialog.y1LineEdit->text(), QStringLiteral("2.5"));
        // Two decimals at most.
        typeInto(dialog.x2LineEdit, QStringLiteral("3.256"));
        QCOMPARE(dialog.x2LineEdit->text(), QStringLiteral("3.25"));
        // An emptied edit reads as 0.
        dialog.y2LineEdit->clear();
        QCOMPARE(dialog.polygon(), QPolygonF() << QPointF(-2.5, 2.5) << QPointF(3.25, 0));

        // A text that does not parse reads as 0, a lone sign too.
        dialog.x1LineEdit->setText(QStringLiteral("2;5"));
        typeInto(dialog.y1LineEdit, QStringLiteral("-"));
        QCOMPARE(dialog.polygon().first(), QPointF(0, 0));
    }

    void move3Dialog()
    {
        const QPolygonF corners = QPolygonF() << QPointF(0, 0) << QPointF(10.006, 0) << QPointF(10, 10)
                                              << QPointF(0, 10.126) << QPointF(-5, 5);
        Move3Dialog dialog(QStringLiteral("Level & <i>2</i>"), 12.345, corners);
        checkWindow(dialog);
        checkTitle(dialog.titleLabel, QStringLiteral("Level & <i>2</i>"));
        QCOMPARE(dialog.heightLabel->text(), QStringLiteral("Height [m]:"));
        const QList<QLabel*> labels = {dialog.x1Label, dialog.y1Label, dialog.x2Label, dialog.y2Label,
                                       dialog.x3Label, dialog.y3Label, dialog.x4Label, dialog.y4Label};
        for (int i = 0; i < labels.size(); ++i)
            QCOMPARE(labels.at(i)->text(), QStringLiteral("%1%2 [m]:").arg(i % 2 ? 'Y' : 'X').arg(i / 2 + 1));
        for (QFrame* line : {dialog.line_1, dialog.line_2, dialog.line_3, dialog.line_4}) {
            QCOMPARE(line->frameShape(), QFrame::HLine);
            QCOMPARE(line->frameShadow(), QFrame::Sunken);
        }
        const QList<QLineEdit*> edits = {dialog.heightLineEdit, dialog.x1LineEdit, dialog.y1LineEdit,
                                         dialog.x2LineEdit,     dialog.y2LineEdit, dialog.x3LineEdit,
                                         dialog.y3LineEdit,     dialog.x4LineEdit, dialog.y4LineEdit};
        checkSharedValidator(edits);

        // The first four corners, rounded; the fifth is neither shown nor handed back.
        QCOMPARE(texts(edits), (QStringList{QStringLiteral("12.35"), QStringLiteral("0.00"), QStringLiteral("0.00"),
                                            QStringLiteral("10.01"), QStringLiteral("0.00"), QStringLiteral("10.00"),
                                            QStringLiteral("10.00"), QStringLiteral("0.00"), QStringLiteral("10.13")}));
        QCOMPARE(dialog.height(), 12.35);
        QCOMPARE(dialog.polygon(), QPolygonF() << QPointF(0, 0) << QPointF(10.01, 0) << QPointF(10, 10)
                                               << QPointF(0, 10.13));

        // Tab order: height, then the corners in order.
        for (int i = 0; i + 1 < edits.size(); ++i)
            QCOMPARE(nextTabStop(edits.at(i)), static_cast<QWidget*>(edits.at(i + 1)));

        int row = -1;
        int column = -1;
        int rowSpan = 0;
        int columnSpan = 0;
        dialog.gridLayout->getItemPosition(dialog.gridLayout->indexOf(dialog.buttonBox), &row, &column, &rowSpan,
                                           &columnSpan);
        QCOMPARE(row, 14);
        QCOMPARE(column, 0);
        QCOMPARE(columnSpan, 2);

        // Typed values come back; an emptied edit reads as 0.
        CommaDesktop desktop;
        typeInto(dialog.heightLineEdit, QStringLiteral("-3,5"));
        QCOMPARE(dialog.heightLineEdit->text(), QStringLiteral("-3.5"));
        QCOMPARE(dialog.height(), -3.5);
        dialog.y4LineEdit->clear();
        typeInto(dialog.x3LineEdit, QStringLiteral("7.777"));
        QCOMPARE(dialog.polygon(), QPolygonF() << QPointF(0, 0) << QPointF(10.01, 0) << QPointF(7.77, 10)
                                               << QPointF(0, 0));
    }

    void longTitleKeepsTheDialogOnScreen()
    {
        const QString title = QStringLiteral("profile across the north field ") + QString(200, QLatin1Char('x'));
        Move2Dialog vertical(title, QPointF(0, 0), QPointF(1, 1), nullptr);
        Move3Dialog horizontal(title, 0.0, QPolygonF(QRectF(0, 0, 1, 1)), nullptr);
        for (QDialog* dialog : {static_cast<QDialog*>(&vertical), static_cast<QDialog*>(&horizontal)}) {
            dialog->show();
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            QVERIFY(dialog->width() <= dialog->screen()->availableGeometry().width());
            QVERIFY(TestSupport::isWhollyInside(dialog->findChild<QDialogButtonBox*>(), dialog));
            const auto* label = dialog->findChild<ElidedLabel*>(QStringLiteral("titleLabel"));
            QVERIFY(label && label->text() == title && label->isElided());
        }
    }

    void move3DialogShortOutline()
    {
        // An outline shorter than four corners (only a foreign file makes
        // one) shows the missing corners as (0, 0).
        Move3Dialog three(QStringLiteral("t"), 1, QPolygonF() << QPointF(1, 2) << QPointF(3, 4) << QPointF(5, 6));
        QCOMPARE(three.x3LineEdit->text(), QStringLiteral("5.00"));
        QCOMPARE(three.x4LineEdit->text(), QStringLiteral("0.00"));
        QCOMPARE(three.y4LineEdit->text(), QStringLiteral("0.00"));
        QCOMPARE(three.polygon().size(), 4);
        QCOMPARE(three.polygon().last(), QPointF(0, 0));

        Move3Dialog none(QStringLiteral("n"), -0.5, QPolygonF());
        QCOMPARE(none.heightLineEdit->text(), QStringLiteral("-0.50"));
        QCOMPARE(none.polygon(), QPolygonF(4));
    }
};

TUNDRACK_TEST(SliceMoveDialogTest)
#include "slicemovedialogtest.moc"
