#include "common/preferencesstore.h"
#include "common/testregistry.h"
#include "common/testsupport.h"

#include "app/preferencesdialog.h"
#include "shared/preferences.h"

#include <QDoubleValidator>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <limits>

using PreferencesStore::storeValue;
using PreferencesStore::storedKeys;
using PreferencesStore::storedValue;
using TestSupport::nextTabStop;
using TestSupport::typeInto;

namespace {

void clickButton(QDialogButtonBox* box, QDialogButtonBox::StandardButton which)
{
    QPushButton* button = box->button(which);
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

// Clicks a check box on its indicator: the middle of a wide box may lie
// beyond its text, where a click does nothing.
void clickCheckBox(QCheckBox* box)
{
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(8, box->height() / 2));
}

} // namespace

class PreferencesDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { PreferencesStore::reset(); }
    void cleanupTestCase() { PreferencesStore::reset(); }

    void dialogLayout()
    {
        PreferencesDialog dialog;
        QCOMPARE(dialog.windowType(), Qt::Dialog);
        // Qt adds the title and menu hints that go with a close button; what
        // matters is a close button and nothing else in the title bar.
        const Qt::WindowFlags flags = dialog.windowFlags();
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowContextHelpButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Preferences"));

        QCOMPARE(dialog.languageComboBox->count(), 2);
        QCOMPARE(dialog.languageComboBox->itemText(0), QStringLiteral("EN"));
        QCOMPARE(dialog.languageComboBox->itemText(1), QStringLiteral("RU"));
        for (int i = 0; i < 2; ++i) {
            const QIcon icon = dialog.languageComboBox->itemIcon(i);
            QVERIFY(!icon.pixmap(QSize(24, 16)).isNull());
        }
        QVERIFY(dialog.languageComboBox->itemIcon(0).pixmap(QSize(24, 16)).toImage()
                != dialog.languageComboBox->itemIcon(1).pixmap(QSize(24, 16)).toImage());
        QVERIFY(qobject_cast<const QDoubleValidator*>(dialog.imagePixelSizeLineEdit->validator()));

        auto position = [&dialog](QWidget* widget) {
            int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
            const int index = dialog.gridLayout->indexOf(widget);
            if (index >= 0)
                dialog.gridLayout->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
            return QList<int>{row, column, rowSpan, columnSpan};
        };
        QCOMPARE(position(dialog.label_2), (QList<int>{0, 0, 1, 1}));
        QCOMPARE(position(dialog.languageComboBox), (QList<int>{0, 1, 1, 1}));
        QCOMPARE(position(dialog.label_1), (QList<int>{1, 0, 1, 1}));
        QCOMPARE(position(dialog.imagePixelSizeLineEdit), (QList<int>{1, 1, 1, 1}));
        QCOMPARE(position(dialog.bilinearInterpolationCheckBox), (QList<int>{2, 0, 1, 1}));
        QCOMPARE(position(dialog.ignoreHeightValuesCheckBox), (QList<int>{3, 0, 1, 2}));
        QCOMPARE(position(dialog.createSurferBlankFilesCheckBox), (QList<int>{4, 0, 1, 2}));
        QCOMPARE(position(dialog.buttonBox), (QList<int>{5, 0, 1, 2}));
    }

    void dialogShowsDefaults()
    {
        PreferencesDialog dialog;
        QCOMPARE(dialog.languageComboBox->currentIndex(), 0);
        QCOMPARE(dialog.imagePixelSizeLineEdit->text(), QStringLiteral("1.00"));
        QVERIFY(dialog.bilinearInterpolationCheckBox->isChecked());
        QVERIFY(!dialog.ignoreHeightValuesCheckBox->isChecked());
        QVERIFY(dialog.createSurferBlankFilesCheckBox->isChecked());
    }

    void dialogShowsPixelSizeWithTwoDecimals_data()
    {
        QTest::addColumn<double>("size");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 3.0 << "3.00";
        QTest::newRow("one decimal") << 0.5 << "0.50";
        QTest::newRow("rounded down") << 1.234 << "1.23";
        QTest::newRow("rounded up") << 2.678 << "2.68";
        QTest::newRow("minimum") << 0.01 << "0.01";
        QTest::newRow("large") << 12345.0 << "12345.00";
    }

    void dialogShowsPixelSizeWithTwoDecimals()
    {
        QFETCH(double, size);
        QFETCH(QString, text);
        storeValue(QStringLiteral("ImagePixelSize"), size);
        PreferencesDialog dialog;
        QCOMPARE(dialog.imagePixelSizeLineEdit->text(), text);
    }

    void dialogShowsStoredValues()
    {
        storeValue(QStringLiteral("Language"), 1);
        storeValue(QStringLiteral("ImagePixelSize"), 0.001);
        storeValue(QStringLiteral("BilinearInterpolation"), false);
        storeValue(QStringLiteral("IgnoreHeightValues"), true);
        storeValue(QStringLiteral("CreateSurferBlankFiles"), false);
        PreferencesDialog dialog;
        QCOMPARE(dialog.languageComboBox->currentIndex(), 1);
        QCOMPARE(dialog.imagePixelSizeLineEdit->text(), QStringLiteral("0.01"));
        QVERIFY(!dialog.bilinearInterpolationCheckBox->isChecked());
        QVERIFY(dialog.ignoreHeightValuesCheckBox->isChecked());
        QVERIFY(!dialog.createSurferBlankFilesCheckBox->isChecked());
    }

    void unknownLanguageIsShownAsEnglish()
    {
        storeValue(QStringLiteral("Language"), 7);
        PreferencesDialog dialog;
        QCOMPARE(dialog.languageComboBox->currentIndex(), 0);
        Preferences::destroy();
        storeValue(QStringLiteral("Language"), -1);
        PreferencesDialog again;
        QCOMPARE(again.languageComboBox->currentIndex(), 0);
    }

    void okWritesEveryField()
    {
        PreferencesDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QSignalSpy accepted(&dialog, &QDialog::accepted);

        QTest::keyClick(dialog.languageComboBox, Qt::Key_Down);
        QCOMPARE(dialog.languageComboBox->currentIndex(), 1);
        typeInto(dialog.imagePixelSizeLineEdit, QStringLiteral("2.5"));
        QCOMPARE(dialog.imagePixelSizeLineEdit->text(), QStringLiteral("2.5"));
        clickCheckBox(dialog.bilinearInterpolationCheckBox);
        clickCheckBox(dialog.ignoreHeightValuesCheckBox);
        clickCheckBox(dialog.createSurferBlankFilesCheckBox);
        clickButton(dialog.buttonBox, QDialogButtonBox::Ok);

        QCOMPARE(accepted.count(), 1);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const Preferences* p = Preferences::instance();
        QCOMPARE(p->language(), 1);
        QCOMPARE(p->imagePixelSize(), 2.5);
        QCOMPARE(p->bilinearInterpolation(), false);
        QCOMPARE(p->ignoreHeightValues(), true);
        QCOMPARE(p->createSurferBlankFiles(), false);

        QCOMPARE(storedValue(QStringLiteral("Language")).toInt(), 1);
        QCOMPARE(storedValue(QStringLiteral("ImagePixelSize")).toDouble(), 2.5);
        QCOMPARE(storedValue(QStringLiteral("BilinearInterpolation")).toBool(), false);
        QCOMPARE(storedValue(QStringLiteral("IgnoreHeightValues")).toBool(), true);
        QCOMPARE(storedValue(QStringLiteral("CreateSurferBlankFiles")).toBool(), false);
    }

    void okClampsTypedPixelSize_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("stored");
        QTest::newRow("negative") << "-2.5" << "-2.5" << 2.5;
        QTest::newRow("zero") << "0" << "0" << 0.01;
        QTest::newRow("empty") << "" << "" << 0.01;
        QTest::newRow("lone minus") << "-" << "-" << 0.01;
        QTest::newRow("below minimum") << "0.001" << "0.00" << 0.01;
        QTest::newRow("third decimal dropped") << "3.149" << "3.14" << 3.14;
        QTest::newRow("decimal comma") << "2,5" << "2.5" << 2.5;
        QTest::newRow("beyond 10000 km") << "100000000" << "10000000" << 1e7;
    }

    void okClampsTypedPixelSize()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(double, stored);
        PreferencesDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        typeInto(dialog.imagePixelSizeLineEdit, typed);
        QCOMPARE(dialog.imagePixelSizeLineEdit->text(), shown);
        clickButton(dialog.buttonBox, QDialogButtonBox::Ok);
        QCOMPARE(Preferences::instance()->imagePixelSize(), stored);
        QCOMPARE(storedValue(QStringLiteral("ImagePixelSize")).toDouble(), stored);
        // The next dialog shows what was kept.
        PreferencesDialog next;
        QCOMPARE(next.imagePixelSizeLineEdit->text(), QString::number(stored, 'f', 2));
    }

    void validatorUsesDecimalPoint()
    {
        PreferencesDialog dialog;
        const QValidator* validator = dialog.imagePixelSizeLineEdit->validator();
        QVERIFY(validator);
        QString text = QStringLiteral("2.5");
        int position = 0;
        QCOMPARE(validator->validate(text, position), QValidator::Acceptable);
        text = QStringLiteral("2,5");
        QCOMPARE(validator->validate(text, position), QValidator::Acceptable);
        QCOMPARE(text, QStringLiteral("2.5"));
        text = QStringLiteral("1,000.5");
        QCOMPARE(validator->validate(text, position), QValidator::Invalid);
        text = QStringLiteral("2.555");
        QCOMPARE(validator->validate(text, position), QValidator::Invalid);
    }

    void cancelChangesNothing()
    {
        storeValue(QStringLiteral("ImagePixelSize"), 4.0);
        Preferences* p = Preferences::instance();
        p->setIgnoreHeightValues(true);  // in memory only

        PreferencesDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QSignalSpy rejected(&dialog, &QDialog::rejected);
        QCOMPARE(dialog.ignoreHeightValuesCheckBox->isChecked(), true);
        QTest::keyClick(dialog.languageComboBox, Qt::Key_Down);
        typeInto(dialog.imagePixelSizeLineEdit, QStringLiteral("9"));
        clickCheckBox(dialog.bilinearInterpolationCheckBox);
        clickCheckBox(dialog.ignoreHeightValuesCheckBox);
        clickCheckBox(dialog.createSurferBlankFilesCheckBox);
        clickButton(dialog.buttonBox, QDialogButtonBox::Cancel);

        QCOMPARE(rejected.count(), 1);
        QCOMPARE(p->language(), 0);
        QCOMPARE(p->imagePixelSize(), 4.0);
        QCOMPARE(p->bilinearInterpolation(), true);
        QCOMPARE(p->ignoreHeightValues(), true);
        QCOMPARE(p->createSurferBlankFiles(), true);
        QCOMPARE(storedKeys(), QStringList{QStringLiteral("ImagePixelSize")});
        QCOMPARE(storedValue(QStringLiteral("ImagePixelSize")).toDouble(), 4.0);
    }

    void modalRunWithOk()
    {
        // The way the main window runs it: no parent, exec().
        TestSupport::onNextModal([](QWidget* widget) {
            auto* dialog = qobject_cast<PreferencesDialog*>(widget);
            if (!dialog)
                return;
            clickCheckBox(dialog->ignoreHeightValuesCheckBox);
            dialog->buttonBox->button(QDialogButtonBox::Ok)->click();
        });
        PreferencesDialog dialog;
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(Preferences::instance()->ignoreHeightValues(), true);
        QCOMPARE(storedValue(QStringLiteral("IgnoreHeightValues")).toBool(), true);
    }
};

TUNDRACK_TEST(PreferencesDialogTest)
#include "preferencesdialogtest.moc"
