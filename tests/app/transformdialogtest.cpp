#include "common/commadesktop.h"
#include "common/testregistry.h"
#include "common/testsupport.h"

#include "app/move1dialog.h"
#include "app/rotatedialog.h"
#include "app/scaledialog.h"

#include <QApplication>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTranslator>

using TestSupport::nextTabStop;
using TestSupport::typeInto;

namespace {

// A translation that keeps the "*" placeholder of the angle label.
class AngleTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }

    QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                      int n = -1) const override
    {
        Q_UNUSED(disambiguation)
        Q_UNUSED(n)
        if (QLatin1String(context) == QLatin1String("UIRotateDialog")
            && QLatin1String(sourceText) == QLatin1String("Angle [*]:"))
            return QStringLiteral("Угол [*], град.:");
        return QString();
    }
};

void checkWindow(QDialog& dialog, const QString& windowTitle)
{
    QCOMPARE(dialog.windowTitle(), windowTitle);
    // A title bar with the close button only (Qt adds the title and system
    // menu hints that a close button needs).
    const Qt::WindowFlags flags = dialog.windowFlags();
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowContextHelpButtonHint));
    QCOMPARE(dialog.minimumSize(), dialog.sizeHint());
    QCOMPARE(dialog.maximumSize(), dialog.sizeHint());
    QVERIFY(dialog.parentWidget() == nullptr);
}

} // namespace

class TransformDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void moveDialog()
    {
        Move1Dialog dialog(QStringLiteral("north <b>&</b> 2.kv"), Point3D(1.234, -5.678, 0.004));
        checkWindow(dialog, QStringLiteral("Move"));
        // The name is shown as it is, never as markup.
        QCOMPARE(dialog.titleLabel->text(), QStringLiteral("north <b>&</b> 2.kv"));
        QCOMPARE(dialog.titleLabel->textFormat(), Qt::PlainText);
        QVERIFY(dialog.titleLabel->font().bold());
        QCOMPARE(dialog.xLabel->text(), QStringLiteral("X [m]:"));
        QCOMPARE(dialog.yLabel->text(), QStringLiteral("Y [m]:"));
        QCOMPARE(dialog.zLabel->text(), QStringLiteral("Z [m]:"));

        // Shown rounded, and the rounded values are what the dialog hands back.
        QCOMPARE(dialog.xLineEdit->text(), QStringLiteral("1.23"));
        QCOMPARE(dialog.yLineEdit->text(), QStringLiteral("-5.68"));
        QCOMPARE(dialog.zLineEdit->text(), QStringLiteral("0.00"));
        QCOMPARE(dialog.point().x(), 1.23);
        QCOMPARE(dialog.point().y(), -5.68);
        QCOMPARE(dialog.point().z(), 0.0);

        // One validator serves the three fields.
        QVERIFY(dialog.xLineEdit->validator() != nullptr);
        QCOMPARE(dialog.yLineEdit->validator(), dialog.xLineEdit->validator());
        QCOMPARE(dialog.zLineEdit->validator(), dialog.xLineEdit->validator());

        QCOMPARE(nextTabStop(dialog.xLineEdit), static_cast<QWidget*>(dialog.yLineEdit));
        QCOMPARE(nextTabStop(dialog.yLineEdit), static_cast<QWidget*>(dialog.zLineEdit));
    }

    void moveDialogNumbers()
    {
        CommaDesktop desktop;
        Move1Dialog dialog(QStringLiteral("a.kv"), Point3D(1000000.5, 0, 0));
        // No group separator and a decimal point, whatever the desktop writes.
        QCOMPARE(dialog.xLineEdit->text(), QStringLiteral("1000000.50"));

        typeInto(dialog.xLineEdit, QStringLiteral("2.5"));
        QCOMPARE(dialog.xLineEdit->text(), QStringLiteral("2.5"));
        QCOMPARE(dialog.point().x(), 2.5);

        // A decimal comma becomes a point as it is typed.
        typeInto(dialog.yLineEdit, QStringLiteral("2,5"));
        QCOMPARE(dialog.yLineEdit->text(), QStringLiteral("2.5"));
        QCOMPARE(dialog.point().y(), 2.5);
        // Nothing beyond 10,000 km.
        typeInto(dialog.yLineEdit, QStringLiteral("-100000000"));
        QCOMPARE(dialog.yLineEdit->text(), QStringLiteral("-10000000"));

        // Two decimals at most, negative values allowed.
        typeInto(dialog.zLineEdit, QStringLiteral("-3.256"));
        QCOMPARE(dialog.zLineEdit->text(), QStringLiteral("-3.25"));
        QCOMPARE(dialog.point().z(), -3.25);

        // Text that got past the validator and does not parse reads as 0, as does an emptied edit.
        dialog.xLineEdit->setText(QStringLiteral("2,5"));
        QCOMPARE(dialog.point().x(), 2.5);
        dialog.xLineEdit->setText(QStringLiteral("x"));
        QCOMPARE(dialog.point().x(), 0.0);
        dialog.yLineEdit->clear();
        QCOMPARE(dialog.point().y(), 0.0);
        typeInto(dialog.zLineEdit, QStringLiteral("-"));
        QCOMPARE(dialog.point().z(), 0.0);
    }

    void rotateDialog()
    {
        RotateDialog dialog(QStringLiteral("b.kv"));
        checkWindow(dialog, QStringLiteral("Rotate"));
        QCOMPARE(dialog.titleLabel->text(), QStringLiteral("b.kv"));
        QCOMPARE(dialog.angleLabel->text(), QStringLiteral("Angle [\u00B0]:"));
        QCOMPARE(dialog.angleLineEdit->text(), QStringLiteral("0.00"));
        QCOMPARE(dialog.angle(), 0.0);

        CommaDesktop desktop;
        RotateDialog commaDialog(QStringLiteral("b.kv"));
        typeInto(commaDialog.angleLineEdit, QStringLiteral("-45.5"));
        QCOMPARE(commaDialog.angle(), -45.5);
        typeInto(commaDialog.angleLineEdit, QStringLiteral("12,75"));
        QCOMPARE(commaDialog.angle(), 12.75);
        // Not more than a full turn either way.
        typeInto(commaDialog.angleLineEdit, QStringLiteral("-3600"));
        QCOMPARE(commaDialog.angleLineEdit->text(), QStringLiteral("-360"));
        typeInto(commaDialog.angleLineEdit, QStringLiteral("30.125"));
        QCOMPARE(commaDialog.angle(), 30.12);
        commaDialog.angleLineEdit->clear();
        QCOMPARE(commaDialog.angle(), 0.0);
    }

    void rotateDialogTranslated()
    {
        // The degree sign goes into the translated label text.
        AngleTranslator translator;
        QVERIFY(QCoreApplication::installTranslator(&translator));
        RotateDialog dialog(QStringLiteral("b.kv"));
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(dialog.angleLabel->text(), QStringLiteral("Угол [\u00B0], град.:"));
    }

    void scaleDialog()
    {
        CommaDesktop desktop;
        ScaleDialog dialog(QStringLiteral("c.kv"));
        checkWindow(dialog, QStringLiteral("Scale"));
        QCOMPARE(dialog.titleLabel->text(), QStringLiteral("c.kv"));
        QCOMPARE(dialog.xFactorLabel->text(), QStringLiteral("X factor:"));
        QCOMPARE(dialog.yFactorLabel->text(), QStringLiteral("Y factor:"));
        for (QDoubleSpinBox* box : {dialog.xFactorDoubleSpinBox, dialog.yFactorDoubleSpinBox}) {
            QCOMPARE(box->minimum(), 0.01);
            QCOMPARE(box->maximum(), 100.0);
            QCOMPARE(box->value(), 1.0);
            QCOMPARE(box->decimals(), 2);
            QCOMPARE(box->singleStep(), 1.0);
            QCOMPARE(box->text(), QStringLiteral("1.00"));
        }
        QCOMPARE(dialog.xFactor(), 1.0);
        QCOMPARE(dialog.yFactor(), 1.0);

        // A decimal point on a desktop that writes a comma.
        QDoubleSpinBox* x = dialog.xFactorDoubleSpinBox;
        x->selectAll();
        QTest::keyClicks(x, QStringLiteral("2.5"));
        QCOMPARE(x->text(), QStringLiteral("2.5"));
        QCOMPARE(dialog.xFactor(), 2.5);
        x->selectAll();
        QTest::keyClicks(x, QStringLiteral("3,5"));
        QCOMPARE(x->text(), QStringLiteral("3.5"));
        QCOMPARE(dialog.xFactor(), 3.5);
        x->selectAll();
        QTest::keyClicks(x, QStringLiteral("1e1"));
        QCOMPARE(x->text(), QStringLiteral("11"));

        // The factors cannot leave 0.01 ... 100.
        x->setValue(0.001);
        dialog.yFactorDoubleSpinBox->setValue(1e6);
        QCOMPARE(dialog.xFactor(), 0.01);
        QCOMPARE(dialog.yFactor(), 100.0);
        x->setValue(0.0);
        QCOMPARE(dialog.xFactor(), 0.01);
        dialog.yFactorDoubleSpinBox->stepUp();
        QCOMPARE(dialog.yFactor(), 100.0);
        dialog.yFactorDoubleSpinBox->setValue(99.5);
        dialog.yFactorDoubleSpinBox->stepUp();
        QCOMPARE(dialog.yFactor(), 100.0);
    }

    void resultCodes()
    {
        // OK accepts; Cancel and the close button reject.
        RotateDialog accepted(QStringLiteral("d.kv"));
        QTimer::singleShot(0, &accepted, [&accepted]() { accepted.buttonBox->button(QDialogButtonBox::Ok)->click(); });
        QCOMPARE(accepted.exec(), int(QDialog::Accepted));

        ScaleDialog cancelled(QStringLiteral("d.kv"));
        QTimer::singleShot(0, &cancelled, [&cancelled]() {
            cancelled.buttonBox->button(QDialogButtonBox::Cancel)->click();
        });
        QCOMPARE(cancelled.exec(), int(QDialog::Rejected));

        Move1Dialog closed(QStringLiteral("d.kv"), Point3D());
        QTimer::singleShot(0, &closed, [&closed]() { closed.close(); });
        QCOMPARE(closed.exec(), int(QDialog::Rejected));
    }
};

TUNDRACK_TEST(TransformDialogTest)
#include "transformdialogtest.moc"
