#include "common/testregistry.h"
#include "common/testsupport.h"
#include "probes/kestrion/graphicoptionswidget_kestrion.h"
#include "probes/kestrion/measureoptionswidget_kestrion.h"
#include "probes/kestrion/processoptionswidget_kestrion.h"
#include "optionsettings.h"
#include "signalrecorder.h"

#include <QScopedPointer>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

namespace {

QStringList items(const QComboBox* box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

bool radiosHidden(const ProcessOptionsWidget_Kestrion& w)
{
    return w.absValueRadioButton->isHidden() && w.realPartRadioButton->isHidden()
           && w.imagPartRadioButton->isHidden();
}

bool radiosShown(const ProcessOptionsWidget_Kestrion& w)
{
    return !w.absValueRadioButton->isHidden() && !w.realPartRadioButton->isHidden()
           && !w.imagPartRadioButton->isHidden();
}

} // namespace

using OptionSettings::clickIndicator;
using OptionSettings::store;
using OptionSettings::stored;

class KestrionOptionsWidgetsTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::clearAllSettings(); }

    void defaults()
    {
        GraphicOptionsWidget_Kestrion graphic;
        QCOMPARE(graphic.label->text(), QStringLiteral("Frequency:"));
        QCOMPARE(items(graphic.fComboBox), QStringList({"1", "2", "3"}));
        QCOMPARE(graphic.fComboBox->currentIndex(), 0);
        QCOMPARE(graphic.fComboBox->currentText(), QStringLiteral("1"));
        QCOMPARE(graphic.horizontalLayout->contentsMargins(), QMargins(0, 0, 0, 0));
        QCOMPARE(graphic.label->alignment(), Qt::AlignCenter);

        MeasureOptionsWidget_Kestrion measure;
        QCOMPARE(measure.label->text(), QStringLiteral("Frequencies:"));
        QCOMPARE(measure.label->alignment(), Qt::AlignCenter);
        QCOMPARE(measure.f1CheckBox->text(), QStringLiteral("1"));
        QCOMPARE(measure.f3CheckBox->text(), QStringLiteral("3"));
        QVERIFY(measure.f1CheckBox->isChecked());
        QVERIFY(measure.f2CheckBox->isChecked());
        QVERIFY(measure.f3CheckBox->isChecked());

        ProcessOptionsWidget_Kestrion process;
        QCOMPARE(items(process.m_valueTypeComboBox),
                 QStringList({"Emf [uV]", "Phase [*]", "App.res. [Ohm*m]"}));
        QCOMPARE(process.m_valueTypeComboBox->currentText(), QStringLiteral("Emf [uV]"));
        QCOMPARE(process.valueType(), 0);
        QVERIFY(process.absValueRadioButton->isChecked());
        QCOMPARE(process.absValueRadioButton->text(), QStringLiteral("Modulus"));
        QCOMPARE(process.realPartRadioButton->text(), QStringLiteral("Real part"));
        QCOMPARE(process.imagPartRadioButton->text(), QStringLiteral("Imaginary part"));
        QCOMPARE(process.userAirCalibrationCheckBox->text(), QStringLiteral("User air calibration"));
        QCOMPARE(process.signalPart(), 0);
        QVERIFY(!process.userAirCalibration());
        QVERIFY(radiosShown(process));
        QCOMPARE(process.line->frameShape(), QFrame::HLine);
        QCOMPARE(process.line->frameShadow(), QFrame::Sunken);
        // The radio buttons exclude one another.
        process.imagPartRadioButton->setChecked(true);
        QVERIFY(!process.absValueRadioButton->isChecked());
        QCOMPARE(process.signalPart(), 2);
    }

    void graphicPersistence()
    {
        {
            GraphicOptionsWidget_Kestrion graphic;
            graphic.fComboBox->setCurrentIndex(2);
            // Nothing is written while the widget lives.
            QVERIFY(!stored("GraphicOptionsWidget_Kestrion", "f").isValid());
        }
        QCOMPARE(stored("GraphicOptionsWidget_Kestrion", "f").toInt(), 2);
        GraphicOptionsWidget_Kestrion again;
        QCOMPARE(again.fComboBox->currentIndex(), 2);
    }

    void graphicOutOfRangeIndex()
    {
        for (const QVariant& bad : {QVariant(3), QVariant(-1), QVariant(1000), QVariant("x")}) {
            store("GraphicOptionsWidget_Kestrion", "f", bad);
            {
                GraphicOptionsWidget_Kestrion graphic;
                QCOMPARE(graphic.fComboBox->currentIndex(), 0);
            }
            QCOMPARE(stored("GraphicOptionsWidget_Kestrion", "f").toInt(), 0);
        }
    }

    void measurePersistence()
    {
        {
            MeasureOptionsWidget_Kestrion measure;
            measure.f2CheckBox->setChecked(false);
        }
        QCOMPARE(stored("MeasureOptionsWidget_Kestrion", "f1").toBool(), true);
        QCOMPARE(stored("MeasureOptionsWidget_Kestrion", "f2").toBool(), false);
        QCOMPARE(stored("MeasureOptionsWidget_Kestrion", "f3").toBool(), true);
        store("MeasureOptionsWidget_Kestrion", "f1", false);
        MeasureOptionsWidget_Kestrion again;
        QVERIFY(!again.f1CheckBox->isChecked());
        QVERIFY(!again.f2CheckBox->isChecked());
        QVERIFY(again.f3CheckBox->isChecked());
    }

    void processPersistence()
    {
        {
            ProcessOptionsWidget_Kestrion process;
            process.m_valueTypeComboBox->setCurrentIndex(1);
            process.imagPartRadioButton->setChecked(true);
            process.userAirCalibrationCheckBox->setChecked(true);
        }
        QCOMPARE(stored("ProcessOptionsWidget_Kestrion", "valueType").toInt(), 1);
        QCOMPARE(stored("ProcessOptionsWidget_Kestrion", "signalPart").toInt(), 2);
        QCOMPARE(stored("ProcessOptionsWidget_Kestrion", "userAirCalibration").toBool(), true);
        {
            ProcessOptionsWidget_Kestrion again;
            QCOMPARE(again.valueType(), 1);
            QCOMPARE(again.signalPart(), 2);
            QVERIFY(again.imagPartRadioButton->isChecked());
            QVERIFY(again.userAirCalibration());
            QVERIFY(radiosHidden(again));
            again.realPartRadioButton->setChecked(true);
        }
        QCOMPARE(stored("ProcessOptionsWidget_Kestrion", "signalPart").toInt(), 1);
        ProcessOptionsWidget_Kestrion third;
        QCOMPARE(third.signalPart(), 1);
    }

    void processStoredOddities()
    {
        // An unknown signal part selects the modulus; an unknown value type the EMF.
        store("ProcessOptionsWidget_Kestrion", "signalPart", 5);
        store("ProcessOptionsWidget_Kestrion", "valueType", 3);
        {
            ProcessOptionsWidget_Kestrion process;
            QCOMPARE(process.signalPart(), 0);
            QVERIFY(process.absValueRadioButton->isChecked());
            QCOMPARE(process.valueType(), 0);
            QVERIFY(radiosShown(process));
        }
        QCOMPARE(stored("ProcessOptionsWidget_Kestrion", "valueType").toInt(), 0);
        QCOMPARE(stored("ProcessOptionsWidget_Kestrion", "signalPart").toInt(), 0);
        store("ProcessOptionsWidget_Kestrion", "valueType", -4);
        {
            ProcessOptionsWidget_Kestrion process;
            QCOMPARE(process.valueType(), 0);
        }
        QCOMPARE(stored("ProcessOptionsWidget_Kestrion", "valueType").toInt(), 0);
    }

    void radioButtonsFollowTheValueType()
    {
        store("ProcessOptionsWidget_Kestrion", "valueType", 2);
        store("ProcessOptionsWidget_Kestrion", "signalPart", 1);
        ProcessOptionsWidget_Kestrion process;
        process.show();
        QVERIFY(QTest::qWaitForWindowExposed(&process));
        QVERIFY(radiosHidden(process));
        QVERIFY(!process.realPartRadioButton->isVisible());
        process.m_valueTypeComboBox->setCurrentIndex(0);
        QVERIFY(radiosShown(process));
        QVERIFY(process.realPartRadioButton->isVisible());
        QVERIFY(process.realPartRadioButton->isChecked());
        QCOMPARE(process.signalPart(), 1);
        process.m_valueTypeComboBox->setCurrentIndex(1);
        QVERIFY(radiosHidden(process));
        process.on_currentIndexChanged(0);
        QVERIFY(radiosShown(process));
    }

    void lastDestroyedWins()
    {
        auto* first = new ProcessOptionsWidget_Kestrion;
        auto* second = new ProcessOptionsWidget_Kestrion;
        first->m_valueTypeComboBox->setCurrentIndex(2);
        second->m_valueTypeComboBox->setCurrentIndex(1);
        second->userAirCalibrationCheckBox->setChecked(true);
        delete second;
        delete first;
        QCOMPARE(stored("ProcessOptionsWidget_Kestrion", "valueType").toInt(), 2);
        QCOMPARE(stored("ProcessOptionsWidget_Kestrion", "userAirCalibration").toBool(), false);
    }

    void constructionEmitsNothing()
    {
        // Stored values that differ from the form's, so loading changes every control.
        store("GraphicOptionsWidget_Kestrion", "f", 2);
        store("MeasureOptionsWidget_Kestrion", "f2", false);
        store("ProcessOptionsWidget_Kestrion", "valueType", 2);
        store("ProcessOptionsWidget_Kestrion", "signalPart", 2);
        store("ProcessOptionsWidget_Kestrion", "userAirCalibration", true);

        SignalRecorder recorder;
        QScopedPointer<GraphicOptionsWidget_Kestrion> graphic(new GraphicOptionsWidget_Kestrion);
        QScopedPointer<MeasureOptionsWidget_Kestrion> measure(new MeasureOptionsWidget_Kestrion);
        QScopedPointer<ProcessOptionsWidget_Kestrion> process(new ProcessOptionsWidget_Kestrion);
        QCOMPARE(graphic->fComboBox->currentIndex(), 2);
        QVERIFY(!measure->f2CheckBox->isChecked());
        QCOMPARE(process->signalPart(), 2);
        QCOMPARE(SignalRecorder::count(graphic.data(), "optionsChanged()"), 0);
        QCOMPARE(SignalRecorder::count(measure.data(), "optionsChanged()"), 0);
        QCOMPARE(SignalRecorder::count(process.data(), "optionsChanged()"), 0);
        // The loading did run through the controls' signals.
        QVERIFY(SignalRecorder::count(process->m_valueTypeComboBox, "currentIndexChanged(int)") > 0);

        // The recorder does see the signal once the widgets are built.
        graphic->fComboBox->setCurrentIndex(0);
        process->userAirCalibrationCheckBox->click();
        QCOMPARE(SignalRecorder::count(graphic.data(), "optionsChanged()"), 1);
        QCOMPARE(SignalRecorder::count(process.data(), "optionsChanged()"), 1);
    }

    void graphicSignalsEveryChange()
    {
        GraphicOptionsWidget_Kestrion graphic;
        graphic.show();
        QVERIFY(QTest::qWaitForWindowExposed(&graphic));
        QSignalSpy spy(&graphic, &GraphicOptionsWidget::optionsChanged);
        graphic.fComboBox->setFocus();
        QTest::keyClick(graphic.fComboBox, Qt::Key_Down);
        QCOMPARE(graphic.fComboBox->currentIndex(), 1);
        QCOMPARE(spy.count(), 1);
        QTest::keyClick(graphic.fComboBox, Qt::Key_Down);
        QCOMPARE(spy.count(), 2);
        // Already at the last item: no change, no signal.
        QTest::keyClick(graphic.fComboBox, Qt::Key_Down);
        QCOMPARE(graphic.fComboBox->currentIndex(), 2);
        QCOMPARE(spy.count(), 2);
        graphic.fComboBox->setCurrentIndex(0);
        QCOMPARE(spy.count(), 3);
    }

    void processSignalsEveryChange()
    {
        ProcessOptionsWidget_Kestrion process;
        process.show();
        QVERIFY(QTest::qWaitForWindowExposed(&process));
        QSignalSpy spy(&process, &ProcessOptionsWidget::optionsChanged);
        clickIndicator(process.realPartRadioButton);
        QVERIFY(process.realPartRadioButton->isChecked());
        QCOMPARE(spy.count(), 1);
        clickIndicator(process.imagPartRadioButton);
        QCOMPARE(process.signalPart(), 2);
        QCOMPARE(spy.count(), 2);
        clickIndicator(process.absValueRadioButton);
        QCOMPARE(process.signalPart(), 0);
        QCOMPARE(spy.count(), 3);
        clickIndicator(process.userAirCalibrationCheckBox);
        QVERIFY(process.userAirCalibration());
        QCOMPARE(spy.count(), 4);
        clickIndicator(process.userAirCalibrationCheckBox);
        QVERIFY(!process.userAirCalibration());
        QCOMPARE(spy.count(), 5);
        process.m_valueTypeComboBox->setFocus();
        QTest::keyClick(process.m_valueTypeComboBox, Qt::Key_Down);
        QCOMPARE(process.valueType(), 1);
        QCOMPARE(spy.count(), 6);
        QVERIFY(radiosHidden(process));
        process.m_valueTypeComboBox->setCurrentIndex(2);
        QCOMPARE(spy.count(), 7);
        process.m_valueTypeComboBox->setCurrentIndex(0);
        QCOMPARE(spy.count(), 8);
        QVERIFY(radiosShown(process));
    }

    void measureNeverSignals()
    {
        MeasureOptionsWidget_Kestrion measure;
        measure.show();
        QVERIFY(QTest::qWaitForWindowExposed(&measure));
        QSignalSpy spy(&measure, &MeasureOptionsWidget::optionsChanged);
        clickIndicator(measure.f1CheckBox);
        clickIndicator(measure.f3CheckBox);
        QVERIFY(!measure.f1CheckBox->isChecked());
        QVERIFY(!measure.f3CheckBox->isChecked());
        QCOMPARE(spy.count(), 0);
    }
};

TUNDRACK_TEST(KestrionOptionsWidgetsTest)
#include "kestrionoptionswidgetstest.moc"
