#include "common/testregistry.h"
#include "common/testsupport.h"

#include "slices/addslicedialog.h"

#include <QApplication>
#include <QLocale>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStyleOptionButton>
#include <QTest>

using TestSupport::nextTabStop;
using TestSupport::typeInto;

namespace {

QSettings* store()
{
    return new QSettings(QStringLiteral("Tundrack"), QStringLiteral("AddSliceDialog"));
}

double stored(const QString& key)
{
    QScopedPointer<QSettings> settings(store());
    return settings->value(key, -12345.0).toDouble();
}

// Clicks the button where a user would: on its indicator.
void clickRadio(QRadioButton* button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    const QRect indicator = button->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, button);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, indicator.center());
}

QList<QLineEdit*> verticalEdits(const AddSliceDialog& d)
{
    return {d.v_x1LineEdit, d.v_y1LineEdit, d.v_x2LineEdit, d.v_y2LineEdit};
}

QList<QLineEdit*> horizontalEdits(const AddSliceDialog& d)
{
    return {d.h_heightLineEdit, d.h_x1LineEdit, d.h_y1LineEdit, d.h_x2LineEdit, d.h_y2LineEdit,
            d.h_x3LineEdit,     d.h_y3LineEdit, d.h_x4LineEdit, d.h_y4LineEdit};
}

QStringList texts(const QList<QLineEdit*>& edits)
{
    QStringList shown;
    for (const QLineEdit* edit : edits)
        shown << edit->text();
    return shown;
}

bool showsVertical(const AddSliceDialog& dialog)
{
    return dialog.vRadioButton->isChecked() && !dialog.hRadioButton->isChecked()
           && dialog.stackedWidget->currentWidget() == dialog.vPage;
}

bool showsHorizontal(const AddSliceDialog& dialog)
{
    return dialog.hRadioButton->isChecked() && !dialog.vRadioButton->isChecked()
           && dialog.stackedWidget->currentWidget() == dialog.hPage;
}

void checkPlace(QGridLayout* grid, QWidget* widget, int row, int column, int columnSpan)
{
    int r = -1;
    int c = -1;
    int rs = 0;
    int cs = 0;
    const int index = grid->indexOf(widget);
    QVERIFY2(index >= 0, qPrintable(widget->objectName()));
    grid->getItemPosition(index, &r, &c, &rs, &cs);
    QVERIFY2(r == row && c == column && rs == 1 && cs == columnSpan, qPrintable(widget->objectName()));
}

const QStringList defaultVertical = {QStringLiteral("0.00"), QStringLiteral("0.00"), QStringLiteral("10.00"),
                                     QStringLiteral("0.00")};
const QStringList defaultHorizontal = {QStringLiteral("0.00"),  QStringLiteral("0.00"),  QStringLiteral("0.00"),
                                       QStringLiteral("10.00"), QStringLiteral("0.00"),  QStringLiteral("10.00"),
                                       QStringLiteral("10.00"), QStringLiteral("0.00"),  QStringLiteral("10.00")};

} // namespace

class AddSliceDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::clearAllSettings(); }

    void form()
    {
        AddSliceDialog dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Add slice"));
        // A tool window with a title bar without any button: above its parent
        // window, but not above everything else.
        QCOMPARE(dialog.windowType(), Qt::Tool);
        QCOMPARE(dialog.windowFlags() & ~Qt::WindowType_Mask, Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        QVERIFY(dialog.isWindow());
        QVERIFY(!dialog.isModal());
        QVERIFY(dialog.parentWidget() == nullptr);
        QCOMPARE(dialog.minimumSize(), dialog.sizeHint());
        QCOMPARE(dialog.maximumSize(), dialog.sizeHint());

        QCOMPARE(dialog.titleLabel->text(), QStringLiteral("Title:"));
        QCOMPARE(dialog.vRadioButton->text(), QStringLiteral("Vertical"));
        QCOMPARE(dialog.hRadioButton->text(), QStringLiteral("Horizontal"));
        QVERIFY(dialog.titleLineEdit->validator() == nullptr);
        QCOMPARE(dialog.buttonBox->standardButtons(), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        checkPlace(dialog.gridLayout_2, dialog.titleLabel, 0, 0, 1);
        checkPlace(dialog.gridLayout_2, dialog.titleLineEdit, 0, 1, 2);
        checkPlace(dialog.gridLayout_2, dialog.vRadioButton, 1, 0, 2);
        checkPlace(dialog.gridLayout_2, dialog.hRadioButton, 1, 2, 1);
        checkPlace(dialog.gridLayout_2, dialog.stackedWidget, 2, 0, 3);
        checkPlace(dialog.gridLayout_2, dialog.buttonBox, 3, 0, 3);
        QCOMPARE(dialog.stackedWidget->indexOf(dialog.vPage), 0);
        QCOMPARE(dialog.stackedWidget->indexOf(dialog.hPage), 1);
        QCOMPARE(dialog.gridLayout->contentsMargins(), QMargins());
        QCOMPARE(dialog.gridLayout_3->contentsMargins(), QMargins());

        const QStringList vLabels = {dialog.v_x1Label->text(), dialog.v_y1Label->text(), dialog.v_x2Label->text(),
                                     dialog.v_y2Label->text()};
        QCOMPARE(vLabels, (QStringList{QStringLiteral("X1 [m]:"), QStringLiteral("Y1 [m]:"),
                                       QStringLiteral("X2 [m]:"), QStringLiteral("Y2 [m]:")}));
        QCOMPARE(dialog.h_heightLabel->text(), QStringLiteral("Height [m]:"));
        const QList<QLabel*> hLabels = {dialog.h_x1Label, dialog.h_y1Label, dialog.h_x2Label, dialog.h_y2Label,
                                        dialog.h_x3Label, dialog.h_y3Label, dialog.h_x4Label, dialog.h_y4Label};
        for (int i = 0; i < hLabels.size(); ++i)
            QCOMPARE(hLabels.at(i)->text(), QStringLiteral("%1%2 [m]:").arg(i % 2 ? 'Y' : 'X').arg(i / 2 + 1));
        for (QFrame* line : {dialog.line, dialog.line_1, dialog.line_2, dialog.line_3, dialog.line_4}) {
            QCOMPARE(line->frameShape(), QFrame::HLine);
            QCOMPARE(line->frameShadow(), QFrame::Sunken);
        }

        // One validator serves all thirteen number fields.
        const QList<QLineEdit*> numbersEdits = verticalEdits(dialog) + horizontalEdits(dialog);
        const QValidator* shared = numbersEdits.first()->validator();
        QVERIFY(shared != nullptr);
        for (const QLineEdit* edit : numbersEdits)
            QCOMPARE(edit->validator(), shared);

        const QList<QWidget*> tabOrder = {dialog.titleLineEdit,   dialog.vRadioButton,  dialog.hRadioButton,
                                          dialog.h_heightLineEdit, dialog.h_x1LineEdit, dialog.h_y1LineEdit,
                                          dialog.h_x2LineEdit,     dialog.h_y2LineEdit, dialog.h_x3LineEdit,
                                          dialog.h_y3LineEdit,     dialog.h_x4LineEdit, dialog.h_y4LineEdit,
                                          dialog.v_x1LineEdit,     dialog.v_y1LineEdit, dialog.v_x2LineEdit,
                                          dialog.v_y2LineEdit};
        for (int i = 0; i + 1 < tabOrder.size(); ++i)
            QCOMPARE(nextTabStop(tabOrder.at(i)), tabOrder.at(i + 1));
    }

    void defaultsWithEmptyStore()
    {
        AddSliceDialog dialog;
        QVERIFY(showsVertical(dialog));
        QVERIFY(dialog.isVertical());
        QVERIFY(dialog.title().isEmpty());
        QCOMPARE(texts(verticalEdits(dialog)), defaultVertical);
        QCOMPARE(texts(horizontalEdits(dialog)), defaultHorizontal);
        QCOMPARE(dialog.polygon(), QPolygonF() << QPointF(0, 0) << QPointF(10, 0));
        QCOMPARE(dialog.height(), 0.0);

        // Constructing stores nothing.
        QScopedPointer<QSettings> settings(store());
        QVERIFY(settings->allKeys().isEmpty());
    }

    void okStoresAndEmitsAdd()
    {
        AddSliceDialog dialog;
        dialog.setTitle(QStringLiteral("#3"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.title(), QStringLiteral("#3"));

        clickRadio(dialog.hRadioButton);
        QVERIFY(showsHorizontal(dialog));
        QVERIFY(!dialog.isVertical());
        typeInto(dialog.h_heightLineEdit, QStringLiteral("-12.5"));
        typeInto(dialog.h_x1LineEdit, QStringLiteral("5"));
        typeInto(dialog.h_y4LineEdit, QStringLiteral("20.75"));
        dialog.h_x3LineEdit->clear();
        typeInto(dialog.titleLineEdit, QStringLiteral(" Deep "));

        // The receiver of add() runs before the window closes and finds the values stored.
        QStringList seen;
        int added = 0;
        connect(&dialog, &AddSliceDialog::add, this, [&]() {
            ++added;
            QVERIFY(dialog.isVisible());
            QScopedPointer<QSettings> settings(store());
            QCOMPARE(settings->value(QStringLiteral("isVertical")).toBool(), false);
            QCOMPARE(settings->value(QStringLiteral("h_x1")).toDouble(), 5.0);
            QCOMPARE(dialog.title(), QStringLiteral(" Deep "));
            QVERIFY(!dialog.isVertical());
            QCOMPARE(dialog.height(), -12.5);
            QCOMPARE(dialog.polygon(), QPolygonF() << QPointF(5, 0) << QPointF(10, 0) << QPointF(0, 10)
                                                   << QPointF(0, 20.75));
            seen << QStringLiteral("add");
        });
        QTest::mouseClick(dialog.buttonBox->button(QDialogButtonBox::Ok), Qt::LeftButton);
        QCOMPARE(added, 1);
        QCOMPARE(seen, QStringList{QStringLiteral("add")});
        QVERIFY(dialog.isHidden());

        // Every key, stored as a number; the title is not stored.
        const QStringList keys = {QStringLiteral("v_x1"), QStringLiteral("v_y1"), QStringLiteral("v_x2"),
                                  QStringLiteral("v_y2"), QStringLiteral("h_height"), QStringLiteral("h_x1"),
                                  QStringLiteral("h_y1"), QStringLiteral("h_x2"), QStringLiteral("h_y2"),
                                  QStringLiteral("h_x3"), QStringLiteral("h_y3"), QStringLiteral("h_x4"),
                                  QStringLiteral("h_y4")};
        const QList<double> values = {0, 0, 10, 0, -12.5, 5, 0, 10, 0, 0, 10, 0, 20.75};
        for (int i = 0; i < keys.size(); ++i)
            QCOMPARE(stored(keys.at(i)), values.at(i));
        QScopedPointer<QSettings> settings(store());
        QCOMPARE(settings->value(QStringLiteral("isVertical"), true).toBool(), false);
        QCOMPARE(settings->allKeys().size(), keys.size() + 1);

        // The edits keep the accepted values as typed until the next Cancel.
        QCOMPARE(dialog.h_x1LineEdit->text(), QStringLiteral("5"));
        QVERIFY(showsHorizontal(dialog));

        // The next dialog (a new project, the next start) shows the horizontal
        // page with the accepted values, each to two decimals.
        AddSliceDialog next;
        QVERIFY(showsHorizontal(next));
        QCOMPARE(texts(horizontalEdits(next)),
                 (QStringList{QStringLiteral("-12.50"), QStringLiteral("5.00"), QStringLiteral("0.00"),
                              QStringLiteral("10.00"), QStringLiteral("0.00"), QStringLiteral("0.00"),
                              QStringLiteral("10.00"), QStringLiteral("0.00"), QStringLiteral("20.75")}));
        QCOMPARE(texts(verticalEdits(next)), defaultVertical);
        QVERIFY(next.title().isEmpty());

        // Back to vertical: OK stores that mode too.
        next.show();
        QVERIFY(QTest::qWaitForWindowExposed(&next));
        clickRadio(next.vRadioButton);
        QVERIFY(showsVertical(next));
        typeInto(next.v_y2LineEdit, QStringLiteral("-3"));
        QSignalSpy nextAdded(&next, &AddSliceDialog::add);
        QTest::mouseClick(next.buttonBox->button(QDialogButtonBox::Ok), Qt::LeftButton);
        QCOMPARE(nextAdded.count(), 1);
        QCOMPARE(next.polygon(), QPolygonF() << QPointF(0, 0) << QPointF(10, -3));
        AddSliceDialog third;
        QVERIFY(showsVertical(third));
        QCOMPARE(third.v_y2LineEdit->text(), QStringLiteral("-3.00"));
        QCOMPARE(third.h_heightLineEdit->text(), QStringLiteral("-12.50"));
    }

    void eachOpeningStartsInTheTitle()
    {
        QWidget main; // where the user works between two openings
        main.show();
        AddSliceDialog dialog;
        QSignalSpy added(&dialog, &AddSliceDialog::add);
        for (const QString& title : {QStringLiteral("#1"), QStringLiteral("#2"), QStringLiteral("#3")}) {
            main.activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), &main);
            dialog.setTitle(title);
            dialog.show();
            dialog.activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(&dialog));
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog.titleLineEdit));
            QCOMPARE(dialog.titleLineEdit->selectedText(), title);
            // A click on OK leaves the focus on it for the next opening.
            if (added.count() < 2)
                QTest::mouseClick(dialog.buttonBox->button(QDialogButtonBox::Ok), Qt::LeftButton);
        }
        // Typing, a space first, replaces the proposed title and adds nothing.
        QTest::keyClicks(nullptr, QStringLiteral(" Deep"));
        QCOMPARE(dialog.title(), QStringLiteral(" Deep"));
        QCOMPARE(added.count(), 2);
    }

    void cancelRestores()
    {
        // The last OK left a horizontal outline.
        {
            QScopedPointer<QSettings> settings(store());
            settings->setValue(QStringLiteral("isVertical"), false);
            settings->setValue(QStringLiteral("h_height"), 4.5);
            settings->setValue(QStringLiteral("v_x1"), -1.0);
        }
        AddSliceDialog dialog;
        QSignalSpy added(&dialog, &AddSliceDialog::add);
        dialog.setTitle(QStringLiteral("#1"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(showsHorizontal(dialog));
        QCOMPARE(dialog.h_heightLineEdit->text(), QStringLiteral("4.50"));

        // Edits on both pages and a switch of mode, then Cancel.
        typeInto(dialog.h_heightLineEdit, QStringLiteral("99"));
        typeInto(dialog.h_y3LineEdit, QStringLiteral("-1"));
        clickRadio(dialog.vRadioButton);
        QVERIFY(showsVertical(dialog));
        typeInto(dialog.v_x1LineEdit, QStringLiteral("7"));
        typeInto(dialog.titleLineEdit, QStringLiteral("mine"));
        QTest::mouseClick(dialog.buttonBox->button(QDialogButtonBox::Cancel), Qt::LeftButton);

        QVERIFY(dialog.isHidden());
        QCOMPARE(added.count(), 0);
        // Values and mode of the last OK are back, the page with them.
        QVERIFY(showsHorizontal(dialog));
        QCOMPARE(texts(verticalEdits(dialog)), (QStringList{QStringLiteral("-1.00"), QStringLiteral("0.00"),
                                                            QStringLiteral("10.00"), QStringLiteral("0.00")}));
        QStringList expected = defaultHorizontal;
        expected[0] = QStringLiteral("4.50");
        QCOMPARE(texts(horizontalEdits(dialog)), expected);
        // The title is neither stored nor restored.
        QCOMPARE(dialog.title(), QStringLiteral("mine"));
        // Nothing was stored.
        QCOMPARE(stored(QStringLiteral("h_height")), 4.5);
        QCOMPARE(stored(QStringLiteral("v_x1")), -1.0);
        QCOMPARE(stored(QStringLiteral("h_y3")), -12345.0);

        // With an empty store, Cancel brings back the defaults and the vertical page.
        TestSupport::clearAllSettings();
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        typeInto(dialog.h_x2LineEdit, QStringLiteral("3"));
        QTest::mouseClick(dialog.buttonBox->button(QDialogButtonBox::Cancel), Qt::LeftButton);
        QVERIFY(showsVertical(dialog));
        QCOMPARE(texts(verticalEdits(dialog)), defaultVertical);
        QCOMPARE(texts(horizontalEdits(dialog)), defaultHorizontal);
    }

    void polygonAndHeight()
    {
        AddSliceDialog dialog;
        const QList<QLineEdit*> v = verticalEdits(dialog);
        const QList<QLineEdit*> h = horizontalEdits(dialog);
        for (int i = 0; i < v.size(); ++i)
            v.at(i)->setText(QString::number(i + 1));
        for (int i = 0; i < h.size(); ++i)
            h.at(i)->setText(QString::number(-(i + 10)));

        // Vertical: exactly two points, X1/Y1 then X2/Y2.
        QVERIFY(dialog.isVertical());
        QCOMPARE(dialog.polygon(), QPolygonF() << QPointF(1, 2) << QPointF(3, 4));
        // The height of the horizontal page, even while the vertical one is shown.
        QCOMPARE(dialog.height(), -10.0);

        // Horizontal: exactly four points, X1/Y1 to X4/Y4.
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        clickRadio(dialog.hRadioButton);
        QVERIFY(!dialog.isVertical());
        QCOMPARE(dialog.polygon(), QPolygonF() << QPointF(-11, -12) << QPointF(-13, -14) << QPointF(-15, -16)
                                               << QPointF(-17, -18));
        QCOMPARE(dialog.height(), -10.0);

        // An emptied edit, or one left with a sign alone, counts as 0.
        dialog.h_x2LineEdit->clear();
        typeInto(dialog.h_y4LineEdit, QStringLiteral("-"));
        dialog.h_heightLineEdit->clear();
        QCOMPARE(dialog.polygon(), QPolygonF() << QPointF(-11, -12) << QPointF(0, -14) << QPointF(-15, -16)
                                               << QPointF(-17, 0));
        QCOMPARE(dialog.height(), 0.0);

        // And is stored as 0.
        QTest::mouseClick(dialog.buttonBox->button(QDialogButtonBox::Ok), Qt::LeftButton);
        QCOMPARE(stored(QStringLiteral("h_x2")), 0.0);
        QCOMPARE(stored(QStringLiteral("h_y4")), 0.0);
        QCOMPARE(stored(QStringLiteral("h_height")), 0.0);
    }

    void storedValuesOutOfTheOrdinary()
    {
        {
            QScopedPointer<QSettings> settings(store());
            settings->setValue(QStringLiteral("v_x2"), 1.23456);
            settings->setValue(QStringLiteral("v_y1"), -7.999);
            settings->setValue(QStringLiteral("h_x1"), 2.675001);
            settings->setValue(QStringLiteral("h_x2"), QStringLiteral("nan"));
            settings->setValue(QStringLiteral("h_y3"), QStringLiteral("inf"));
            settings->setValue(QStringLiteral("h_y4"), QStringLiteral("garbage"));
            settings->setValue(QStringLiteral("isVertical"), true);
        }
        AddSliceDialog dialog;
        // Shown rounded to two decimals, and the rounded value is what is used.
        QCOMPARE(dialog.v_x2LineEdit->text(), QStringLiteral("1.23"));
        QCOMPARE(dialog.v_y1LineEdit->text(), QStringLiteral("-8.00"));
        QCOMPARE(dialog.polygon(), QPolygonF() << QPointF(0, -8) << QPointF(1.23, 0));
        QCOMPARE(dialog.h_x1LineEdit->text(), QStringLiteral("2.68"));
        // A stored value that is no finite number falls back to its default.
        QCOMPARE(dialog.h_x2LineEdit->text(), QStringLiteral("10.00"));
        QCOMPARE(dialog.h_y3LineEdit->text(), QStringLiteral("10.00"));
        QCOMPARE(dialog.h_y4LineEdit->text(), QStringLiteral("10.00"));
        QCOMPARE(dialog.polygon(), QPolygonF() << QPointF(0, -8) << QPointF(1.23, 0));

        // The next OK stores what was shown.
        QTest::mouseClick(dialog.buttonBox->button(QDialogButtonBox::Ok), Qt::LeftButton);
        QCOMPARE(stored(QStringLiteral("v_x2")), 1.23);
        QCOMPARE(stored(QStringLiteral("v_y1")), -8.0);
        QCOMPARE(stored(QStringLiteral("h_x1")), 2.68);
        QCOMPARE(stored(QStringLiteral("h_x2")), 10.0);
        QCOMPARE(stored(QStringLiteral("h_y3")), 10.0);
        QCOMPARE(stored(QStringLiteral("h_y4")), 10.0);
    }

    void numbersOnACommaDesktop()
    {
        const QLocale previous;
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        {
            AddSliceDialog dialog;
            // Written with a decimal point and no group separator.
            dialog.v_x1LineEdit->setText(QStringLiteral("1000000.5"));
            QCOMPARE(dialog.polygon().first().x(), 1000000.5);
            QCOMPARE(dialog.v_x2LineEdit->text(), QStringLiteral("10.00"));
            typeInto(dialog.v_y1LineEdit, QStringLiteral("2.5"));
            QCOMPARE(dialog.v_y1LineEdit->text(), QStringLiteral("2.5"));
            // A decimal comma becomes a point as it is typed.
            typeInto(dialog.v_x2LineEdit, QStringLiteral("2,5"));
            QCOMPARE(dialog.v_x2LineEdit->text(), QStringLiteral("2.5"));
            typeInto(dialog.h_heightLineEdit, QStringLiteral("-0.125"));
            QCOMPARE(dialog.h_heightLineEdit->text(), QStringLiteral("-0.12"));
            QCOMPARE(dialog.height(), -0.12);
            // So does one that got past the validator.
            dialog.v_y2LineEdit->setText(QStringLiteral("0,5"));
            QCOMPARE(dialog.polygon(), QPolygonF() << QPointF(1000000.5, 2.5) << QPointF(2.5, 0.5));
        }
        QLocale::setDefault(previous);
    }
};

TUNDRACK_TEST(AddSliceDialogTest)
#include "addslicedialogtest.moc"
