#include "common/testregistry.h"
#include "common/testsupport.h"
#include "optionsettings.h"
#include "probes/legacy/graphicoptionswidget_legacy.h"
#include "probes/legacy/measureoptionswidget_legacy.h"
#include "probes/legacy/processoptionswidget_legacy.h"
#include "signalrecorder.h"

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

    void defaultsAndPersistence()
    {
        {
            GraphicOptionsWidget_Legacy graphic;
            MeasureOptionsWidget_Legacy measure;
            ProcessOptionsWidget_Legacy process;
            QCOMPARE(graphic.fComboBox->count(), 14);
            QCOMPARE(graphic.fComboBox->currentText(), QStringLiteral("1"));
            for (int f = 0; f < 14; ++f) {
                QCOMPARE(measure.frequencyBox(f)->text(), QString::number(f + 1));
                QVERIFY(measure.frequencyBox(f)->isChecked());
            }
            QVERIFY(!measure.frequencyBox(14) && !measure.frequencyBox(-1));
            QCOMPARE(process.signalPart(), 0);
            QVERIFY(process.absValueRadioButton->isChecked());

            graphic.fComboBox->setCurrentIndex(13);
            measure.f2CheckBox->setChecked(false);
            measure.f14CheckBox->setChecked(false);
            process.imagPartRadioButton->click();
        }
        QCOMPARE(stored("GraphicOptionsWidget_Legacy", "f").toInt(), 13);
        QCOMPARE(stored("MeasureOptionsWidget_Legacy", "f2").toBool(), false);
        QCOMPARE(stored("MeasureOptionsWidget_Legacy", "f13").toBool(), true);
        QCOMPARE(stored("MeasureOptionsWidget_Legacy", "f14").toBool(), false);
        QCOMPARE(stored("ProcessOptionsWidget_Legacy", "signalPart").toInt(), 2);
        GraphicOptionsWidget_Legacy graphic;
        MeasureOptionsWidget_Legacy measure;
        ProcessOptionsWidget_Legacy process;
        QCOMPARE(graphic.fComboBox->currentText(), QStringLiteral("14"));
        QVERIFY(!measure.f2CheckBox->isChecked() && !measure.f14CheckBox->isChecked());
        QVERIFY(measure.f1CheckBox->isChecked() && measure.f13CheckBox->isChecked());
        QCOMPARE(process.signalPart(), 2);
    }

    void damagedStoresReadAsTheFirstItem()
    {
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

    void signalsAfterConstructionOnly()
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
        for (QObject* widget : {static_cast<QObject*>(&graphic), static_cast<QObject*>(&measure),
                                static_cast<QObject*>(&process)})
            QCOMPARE(SignalRecorder::count(widget, "optionsChanged()"), 0);

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
