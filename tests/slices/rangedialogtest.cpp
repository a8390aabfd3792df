#include "slices/rangedialog.h"

#include "common/testregistry.h"
#include "common/testsupport.h"

#include <QCoreApplication>
#include <QDoubleValidator>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTranslator>

using TestSupport::nextTabStop;
using TestSupport::typeInto;

namespace {

// Gives the two range labels texts with stars, as a translation may.
class StarredLabels : public QTranslator
{
public:
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override
    {
        Q_UNUSED(disambiguation)
        Q_UNUSED(n)
        if (qstrcmp(context, "UIRangeDialog") != 0)
            return QString();
        if (qstrcmp(sourceText, "Min:") == 0)
            return QStringLiteral("M*in*:");
        if (qstrcmp(sourceText, "Max:") == 0)
            return QStringLiteral("*Max:");
        if (qstrcmp(sourceText, "All values") == 0)
            return QStringLiteral("All*");
        return QString();
    }
    bool isEmpty() const override { return false; }
};

// Clicks a radio button on its indicator: the middle of a wide button may
// lie beyond its text, where a click does nothing.
void clickRadio(QRadioButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(8, button->height() / 2));
}

} // namespace

class RangeDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void layoutAndFlags()
    {
        RangeDialog dialog;
        QCOMPARE(dialog.windowType(), Qt::Dialog);
        const Qt::WindowFlags flags = dialog.windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowTitleHint));
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowContextHelpButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Range"));
        QCOMPARE(dialog.allRadioButton->text(), QStringLiteral("All values"));
        QCOMPARE(dialog.customRadioButton->text(), QStringLiteral("Custom range"));
        QCOMPARE(dialog.minLabel->text(), QStringLiteral("Min:"));
        QCOMPARE(dialog.maxLabel->text(), QStringLiteral("Max:"));
        QCOMPARE(dialog.label->minimumWidth(), 15);
        QCOMPARE(dialog.gridLayout->contentsMargins(), QMargins());
        QCOMPARE(dialog.customFrame->frameShape(), QFrame::NoFrame);

        // One validator serves both fields.
        QVERIFY(dialog.minLineEdit->validator());
        QCOMPARE(dialog.minLineEdit->validator(), dialog.maxLineEdit->validator());
        auto* validator = qobject_cast<const QDoubleValidator*>(dialog.minLineEdit->validator());
        QVERIFY(validator);
        QCOMPARE(validator->decimals(), 2);
        QString text = QStringLiteral("-12.5");
        int position = 0;
        QCOMPARE(validator->validate(text, position), QValidator::Acceptable);
        text = QStringLiteral("12,5");
        QCOMPARE(validator->validate(text, position), QValidator::Acceptable);
        // Measured values stay below a thousand million.
        text = QStringLiteral("-1000000000");
        QCOMPARE(validator->validate(text, position), QValidator::Acceptable);
        text = QStringLiteral("-1000000000.01");
        QCOMPARE(validator->validate(text, position), QValidator::Invalid);
    }

    void starsInLabelsBecomeMiddleDots()
    {
        StarredLabels translator;
        QCoreApplication::installTranslator(&translator);
        RangeDialog dialog;
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(dialog.minLabel->text(), QStringLiteral("M\u00B7in\u00B7:"));
        QCOMPARE(dialog.maxLabel->text(), QStringLiteral("\u00B7Max:"));
        // Only the two range labels are changed.
        QCOMPARE(dialog.allRadioButton->text(), QStringLiteral("All*"));
    }

    void acceptingAtOnceTakesAllValues()
    {
        RangeDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(dialog.allRadioButton->isChecked());
        QVERIFY(!dialog.customRadioButton->isChecked());
        QVERIFY(!dialog.customFrame->isVisible());
        QCOMPARE(dialog.minLineEdit->text(), QStringLiteral("0.00"));
        QCOMPARE(dialog.maxLineEdit->text(), QStringLiteral("9999.99"));

        QSignalSpy accepted(&dialog, &QDialog::accepted);
        QTest::mouseClick(dialog.buttonBox->button(QDialogButtonBox::Ok), Qt::LeftButton);
        QCOMPARE(accepted.count(), 1);
        QCOMPARE(dialog.min(), -1e200);
        QCOMPARE(dialog.max(), 1e200);
    }

    void customRangeWithoutEdits()
    {
        RangeDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        clickRadio(dialog.customRadioButton);
        QVERIFY(dialog.customRadioButton->isChecked());
        QVERIFY(dialog.customFrame->isVisible());
        QCOMPARE(dialog.min(), 0.0);
        QCOMPARE(dialog.max(), 9999.99);
    }

    void customRangeWithEdits()
    {
        RangeDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        clickRadio(dialog.customRadioButton);
        typeInto(dialog.minLineEdit, QStringLiteral("-12.345"));
        typeInto(dialog.maxLineEdit, QStringLiteral("2,5"));
        // The third decimal is refused as it is typed; the comma becomes a point.
        QCOMPARE(dialog.minLineEdit->text(), QStringLiteral("-12.34"));
        QCOMPARE(dialog.maxLineEdit->text(), QStringLiteral("2.5"));
        QCOMPARE(dialog.min(), -12.34);
        QCOMPARE(dialog.max(), 2.5);
        QPushButton* ok = dialog.buttonBox->button(QDialogButtonBox::Ok);
        QVERIFY(ok->isEnabled());

        // While Min is not below Max, neither OK nor Enter accepts.
        QSignalSpy accepted(&dialog, &QDialog::accepted);
        typeInto(dialog.minLineEdit, QStringLiteral("100.5"));
        QVERIFY(!ok->isEnabled());
        QTest::mouseClick(ok, Qt::LeftButton);
        QTest::keyClick(dialog.minLineEdit, Qt::Key_Return);
        typeInto(dialog.maxLineEdit, QStringLiteral("100.5"));
        QVERIFY(!ok->isEnabled());
        QCOMPARE(accepted.count(), 0);
        // All values need no range; the typed one counts again when chosen again.
        clickRadio(dialog.allRadioButton);
        QVERIFY(ok->isEnabled());
        clickRadio(dialog.customRadioButton);
        QVERIFY(!ok->isEnabled());
        typeInto(dialog.maxLineEdit, QStringLiteral("100.51"));
        QVERIFY(ok->isEnabled());
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(accepted.count(), 1);
        QCOMPARE(dialog.min(), 100.5);
        QCOMPARE(dialog.max(), 100.51);
    }

    void emptiedFieldReadsAsZero()
    {
        RangeDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        clickRadio(dialog.customRadioButton);
        typeInto(dialog.minLineEdit, QString());
        typeInto(dialog.maxLineEdit, QString());
        QCOMPARE(dialog.minLineEdit->text(), QString());
        QCOMPARE(dialog.min(), 0.0);
        QCOMPARE(dialog.max(), 0.0);
        // A half-typed number does not parse either.
        typeInto(dialog.maxLineEdit, QStringLiteral("-"));
        QCOMPARE(dialog.maxLineEdit->text(), QStringLiteral("-"));
        QCOMPARE(dialog.max(), 0.0);
    }

    void switchingBackTakesAllValuesAgain()
    {
        RangeDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        clickRadio(dialog.customRadioButton);
        typeInto(dialog.minLineEdit, QStringLiteral("5"));
        typeInto(dialog.maxLineEdit, QStringLiteral("6"));
        QCOMPARE(dialog.min(), 5.0);
        clickRadio(dialog.allRadioButton);
        QVERIFY(dialog.allRadioButton->isChecked());
        QVERIFY(!dialog.customFrame->isVisible());
        QCOMPARE(dialog.min(), -1e200);
        QCOMPARE(dialog.max(), 1e200);
        // The fields keep what was typed and count again when chosen again.
        clickRadio(dialog.customRadioButton);
        QVERIFY(dialog.customFrame->isVisible());
        QCOMPARE(dialog.min(), 5.0);
        QCOMPARE(dialog.max(), 6.0);
    }

    void everyDialogStartsAfresh()
    {
        {
            RangeDialog first;
            first.customRadioButton->click();
            first.minLineEdit->setText(QStringLiteral("3"));
            first.accept();
        }
        RangeDialog second;
        QVERIFY(second.allRadioButton->isChecked());
        QCOMPARE(second.minLineEdit->text(), QStringLiteral("0.00"));
        QCOMPARE(second.maxLineEdit->text(), QStringLiteral("9999.99"));
        QVERIFY(second.customFrame->isHidden());
    }

    void modalRunCancelled()
    {
        // The main window runs it without parent through exec().
        TestSupport::onNextModal([](QWidget* widget) {
            if (auto* dialog = qobject_cast<RangeDialog*>(widget))
                dialog->buttonBox->button(QDialogButtonBox::Cancel)->click();
        });
        RangeDialog dialog;
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    }
};

TUNDRACK_TEST(RangeDialogTest)

#include "rangedialogtest.moc"
