#include "common/testregistry.h"
#include "common/testsupport.h"
#include "optionsettings.h"
#include "probes/legacy/graphicoptionswidget_legacy.h"
#include "probes/legacy/measureoptionswidget_legacy.h"
#include "probes/legacy/processoptionswidget_legacy.h"
#include "signalrecorder.h"

#include <QScopedPointer>
#include <QSignalSpy>
#include <QTest>

using OptionSettings::clickIndicator;
using OptionSettings::store;
using OptionSettings::stored;

class LegacyOptionsWidgetsTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::clearAllSettings(); }

    void defaultsAndForms()
    {
        GraphicOptionsWidget_Legacy graphic;
        QCOMPARE(graphic.label->text(), QStringLiteral("Frequency:"));
        QCOMPARE(graphic.fComboBox->count(), 14);
        QCOMPARE(graphic.fComboBox->itemText(13), QStringLiteral("14"));
        QCOMPARE(graphic.fComboBox->currentText(), QStringLiteral("1"));
        QCOMPARE(graphic.horizontalLayout->contentsMargins(), QMargins(0, 0, 0, 0));

        MeasureOptionsWidget_Legacy measure;
        QCOMPARE(measure.label->text(), QStringLiteral("Frequencies:"));
        for (int f = 0; f < 14; ++f) {
            QCheckBox* box = measure.frequencyBox(f);
            QCOMPARE(box->text(), QString::number(f + 1));
            QVERIFY(box->isChecked());
            int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
            measure.gridLayout->getItemPosition(measure.gridLayout->indexOf(box), &row, &column,
                                                &rowSpan, &columnSpan);
            QCOMPARE(QPoint(column, row), QPoint(f / 7, f % 7 + 1));
        }
        QVERIFY(!measure.frequencyBox(14) && !measure.frequencyBox(-1));

        ProcessOptionsWidget_Legacy process;
        QVERIFY(process.absValueRadioButton->isChecked());
        QCOMPARE(process.signalPart(), 0);
        QCOMPARE(process.imagPartRadioButton->text(), QStringLiteral("Imaginary part"));
    }

    void persistenceAndDamagedStores()
    {
        {
            GraphicOptionsWidget_Legacy graphic;
            MeasureOptionsWidget_Legacy measure;
            ProcessOptionsWidget_Legacy process;
            graphic.fComboBox->setCurrentIndex(13);
            measure.f2CheckBox->setChecked(false);
            measure.f14CheckBox->setChecked(false);
            process.imagPartRadioButton->click();
        }
        QCOMPARE(stored("GraphicOptionsWidget_Legacy", "f").toInt(), 13);
        QCOMPARE(stored("MeasureOptionsWidget_Legacy", "f2").toBool(), false);
        QCOMPARE(stored("MeasureOptionsWidget_Legacy", "f14").toBool(), false);
        QCOMPARE(stored("MeasureOptionsWidget_Legacy", "f13").toBool(), true);
        QCOMPARE(stored("ProcessOptionsWidget_Legacy", "signalPart").toInt(), 2);
        {
            GraphicOptionsWidget_Legacy graphic;
            MeasureOptionsWidget_Legacy measure;
            ProcessOptionsWidget_Legacy process;
            QCOMPARE(graphic.fComboBox->currentText(), QStringLiteral("14"));
            QVERIFY(!measure.f2CheckBox->isChecked() && !measure.f14CheckBox->isChecked());
            QVERIFY(measure.f1CheckBox->isChecked());
            QCOMPARE(process.signalPart(), 2);
        }

        // Out of range, or no number at all: the first item, which is then stored.
        for (const QVariant& bad : {QVariant(14), QVariant(-1), QVariant(QStringLiteral("x"))}) {
            store("GraphicOptionsWidget_Legacy", "f", bad);
            store("ProcessOptionsWidget_Legacy", "signalPart", bad.toInt() == 14 ? QVariant(5) : bad);
            {
                GraphicOptionsWidget_Legacy graphic;
                ProcessOptionsWidget_Legacy process;
                QCOMPARE(graphic.fComboBox->currentIndex(), 0);
                QVERIFY(process.absValueRadioButton->isChecked());
            }
            QCOMPARE(stored("GraphicOptionsWidget_Legacy", "f").toInt(), 0);
            QCOMPARE(stored("ProcessOptionsWidget_Legacy", "signalPart").toInt(), 0);
        }
    }

    void signalsAfterConstruction()
    {
        store("GraphicOptionsWidget_Legacy", "f", 5);
        store("MeasureOptionsWidget_Legacy", "f3", false);
        store("ProcessOptionsWidget_Legacy", "signalPart", 1);
        SignalRecorder recorder;
        GraphicOptionsWidget_Legacy graphic;
        MeasureOptionsWidget_Legacy measure;
        ProcessOptionsWidget_Legacy process;
        QCOMPARE(graphic.fComboBox->currentIndex(), 5);
        QCOMPARE(process.signalPart(), 1);
        QCOMPARE(SignalRecorder::count(&graphic, "optionsChanged()"), 0);
        QCOMPARE(SignalRecorder::count(&process, "optionsChanged()"), 0);
        QCOMPARE(SignalRecorder::count(&measure, "optionsChanged()"), 0);

        QSignalSpy graphicSpy(&graphic, &GraphicOptionsWidget::optionsChanged);
        QSignalSpy processSpy(&process, &ProcessOptionsWidget::optionsChanged);
        QSignalSpy measureSpy(&measure, &MeasureOptionsWidget::optionsChanged);
        for (QWidget* widget : {static_cast<QWidget*>(&graphic), static_cast<QWidget*>(&measure),
                                static_cast<QWidget*>(&process)}) {
            widget->show();
            QVERIFY(QTest::qWaitForWindowExposed(widget));
        }
        graphic.fComboBox->setFocus();
        QTest::keyClick(graphic.fComboBox, Qt::Key_Down);
        QCOMPARE(graphic.fComboBox->currentIndex(), 6);
        graphic.fComboBox->setCurrentIndex(6);
        QCOMPARE(graphicSpy.count(), 1);
        clickIndicator(process.imagPartRadioButton);
        clickIndicator(process.absValueRadioButton);
        QCOMPARE(process.signalPart(), 0);
        QCOMPARE(processSpy.count(), 2);
        clickIndicator(measure.f3CheckBox);
        clickIndicator(measure.f9CheckBox);
        QVERIFY(measure.f3CheckBox->isChecked() && !measure.f9CheckBox->isChecked());
        QCOMPARE(measureSpy.count(), 0);
    }
};

TUNDRACK_TEST(LegacyOptionsWidgetsTest)
#include "legacyoptionswidgetstest.moc"
