#include "common/sessionwriter.h"
#include "common/testregistry.h"
#include "common/testsupport.h"

#include "probes/simulator/graphicoptionswidget_simulator.h"
#include "probes/simulator/measureoptionswidget_simulator.h"
#include "probes/simulator/processoptionswidget_simulator.h"
#include "probes/simulator/zndtranslator_simulator.h"

#include <QScopedPointer>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

namespace {

const QByteArray sampleRecord = SessionWriter::simulatorRecord({10, -3, 0, 7, 1}, {1, 0, 1, 1, 0});

// A process widget of another model, for the foreign-widget checks.
class ForeignProcessOptions : public ProcessOptionsWidget
{
};

} // namespace

class SimulatorTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::clearAllSettings(); }

    void factory()
    {
        for (const ProbeId& id : {ProbeId(1, 1), ProbeId(254, 0), ProbeId(0, 1), ProbeId(255, 255), ProbeId()})
            QVERIFY(createTranslator(id) == nullptr);
        QScopedPointer<ZndTranslator> translator(createTranslator(ProbeId(0, 0)));
        QVERIFY(translator);
        QCOMPARE(translator->model(), QStringLiteral("SIMULATOR v.0"));
        QCOMPARE(translator->probeId(), ProbeId(0, 0));
        QVERIFY(translator->rawDataHeaders().isEmpty());
        QVERIFY(translator->rawDataValues(sampleRecord).isEmpty());
        QCOMPARE(translator->auxiliaryValue(), 0);
        QVERIFY(translator->specificationsRequest().isEmpty());
        QCOMPARE(translator->requestValues(),
                 (QMap<int, quint16>{{1, 100}, {2, 100}, {3, 100}, {4, 900}, {5, 100}}));
        QCOMPARE(translator->replySizes(), (QMap<int, quint16>{{1, 5}, {3, 1}, {4, 10}}));
    }

    void specifications()
    {
        ZndTranslator_Simulator translator;
        QVERIFY(translator.specificationsSummary().isEmpty());
        QVERIFY(translator.setSpecifications(QByteArray("\1\2\3\4\5", 5)));
        QCOMPARE(translator.specificationsSummary(),
                 QStringLiteral("Spec.#1: 1\nSpec.#2: 2\nSpec.#3: 3\nSpec.#4: 4\nSpec.#5: 5\n"));
        QCOMPARE(translator.specificationsText(), translator.specificationsSummary());
        QVERIFY(translator.setSpecifications(QByteArray("\xFF\x80\x7F\1\1", 5)));
        QVERIFY(translator.specificationsText().startsWith(
            QStringLiteral("Spec.#1: -1\nSpec.#2: -128\nSpec.#3: 127\n")));

        for (const QByteArray& bad : {QByteArray("\1\2\0\4\5", 5), QByteArray("\1\2\3\4", 4),
                                      QByteArray("\1\2\3\4\5\6", 6), QByteArray()}) {
            QVERIFY(!translator.setSpecifications(bad));
            QVERIFY(translator.specifications().isEmpty());
            QVERIFY(translator.specificationsSummary().isEmpty());
            QVERIFY(translator.specificationsText().isEmpty());
        }
    }

    void stateText()
    {
        ZndTranslator_Simulator translator;
        bool low = true;
        QCOMPARE(translator.stateText(QByteArray("\x05\xFE", 2), &low), QStringLiteral("Sens.#1: 5\nSens.#2: -2\n"));
        QVERIFY(!low);
        low = true;
        QVERIFY(translator.stateText(QByteArray("\x05", 1), &low).isEmpty());
        QVERIFY(!low);
        QVERIFY(translator.stateText(QByteArray(3, '\1'), nullptr).isEmpty());
    }

    void values()
    {
        ZndTranslator_Simulator translator;
        QVERIFY(translator.setSpecifications(QByteArray("\1\2\3\4\5", 5)));
        QScopedPointer<ProcessOptionsWidget> process(translator.createProcessOptionsWidget());
        QScopedPointer<GraphicOptionsWidget> graphic(translator.createGraphicOptionsWidget());
        auto* simProcess = qobject_cast<ProcessOptionsWidget_Simulator*>(process.data());
        auto* simGraphic = qobject_cast<GraphicOptionsWidget_Simulator*>(graphic.data());
        QVERIFY(simProcess && simGraphic);
        QVERIFY(process->parent() == nullptr);
        simProcess->addHorizontalSlider->setValue(2);

        bool ok = false;
        const QVector<QPointF> points = translator.points(sampleRecord, process.data(), &ok);
        QVERIFY(ok);
        QCOMPARE(points, (QVector<QPointF>{QPointF(1, 12), QPointF(3, 2), QPointF(4, 9)}));

        simGraphic->fComboBox->setCurrentIndex(1);
        ok = true;
        QCOMPARE(translator.point(sampleRecord, process.data(), graphic.data(), &ok), QPointF(0, 0));
        QVERIFY(!ok);
        simGraphic->fComboBox->setCurrentIndex(3);
        QCOMPARE(translator.point(sampleRecord, process.data(), graphic.data(), &ok), QPointF(4, 9));
        QVERIFY(ok);

        // No valid channel, a wrong length, missing or foreign widgets.
        const QByteArray invalid = SessionWriter::simulatorRecord({1, 2, 3, 4, 5}, {0, 0, 0, 0, 0});
        QVERIFY(translator.points(invalid, process.data(), &ok).isEmpty());
        QVERIFY(!ok);
        ok = true;
        QVERIFY(translator.points(sampleRecord.left(9), process.data(), &ok).isEmpty());
        QVERIFY(!ok);
        ok = true;
        QVERIFY(translator.points(sampleRecord + '\1', process.data(), &ok).isEmpty());
        QVERIFY(!ok);
        ForeignProcessOptions foreign;
        ok = true;
        QVERIFY(translator.points(sampleRecord, &foreign, &ok).isEmpty());
        QVERIFY(!ok);
        ok = true;
        QCOMPARE(translator.point(sampleRecord, nullptr, graphic.data(), &ok), QPointF(0, 0));
        QVERIFY(!ok);
        ok = true;
        QCOMPARE(translator.point(sampleRecord, process.data(), nullptr, &ok), QPointF(0, 0));
        QVERIFY(!ok);
        ok = true;
        QCOMPARE(translator.point(sampleRecord, &foreign, graphic.data(), &ok), QPointF(0, 0));
        QVERIFY(!ok);
    }

    void measureRequest()
    {
        ZndTranslator_Simulator translator;
        QScopedPointer<MeasureOptionsWidget> widget(translator.createMeasureOptionsWidget());
        auto* measure = qobject_cast<MeasureOptionsWidget_Simulator*>(widget.data());
        QVERIFY(measure);
        for (int i = 0; i < 5; ++i)
            QVERIFY(measure->channelBox(i)->isChecked());
        QSignalSpy spy(widget.data(), &MeasureOptionsWidget::optionsChanged);
        for (QCheckBox* box : {measure->f1CheckBox, measure->f3CheckBox, measure->f4CheckBox})
            QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(spy.count(), 0);
        bool ok = false;
        QCOMPARE(translator.measureRequest(widget.data(), &ok), QByteArray("\0\1\0\0\1", 5));
        QVERIFY(ok);
        for (QCheckBox* box : {measure->f2CheckBox, measure->f5CheckBox})
            box->setChecked(false);
        QVERIFY(translator.measureRequest(widget.data(), &ok).isEmpty());
        QVERIFY(!ok);
        ok = true;
        QVERIFY(translator.measureRequest(nullptr, &ok).isEmpty());
        QVERIFY(!ok);
    }

    void optionWidgetsStoreTheirState()
    {
        {
            GraphicOptionsWidget_Simulator graphic;
            ProcessOptionsWidget_Simulator process;
            MeasureOptionsWidget_Simulator measure;
            QCOMPARE(graphic.fComboBox->currentText(), QStringLiteral("GO.#1"));
            QCOMPARE(process.addHorizontalSlider->value(), 0);
            QCOMPARE(process.addHorizontalSlider->maximum(), 5);
            QSignalSpy graphicSpy(&graphic, &GraphicOptionsWidget::optionsChanged);
            QSignalSpy processSpy(&process, &ProcessOptionsWidget::optionsChanged);
            graphic.fComboBox->setCurrentIndex(4);
            process.addHorizontalSlider->setValue(3);
            process.addHorizontalSlider->setValue(5);
            measure.f2CheckBox->setChecked(false);
            QCOMPARE(graphicSpy.count(), 1);
            QCOMPARE(processSpy.count(), 2);
        }
        QSettings graphicStore(QStringLiteral("Kvarn"), QStringLiteral("GraphicOptionsWidget_Simulator"));
        QCOMPARE(graphicStore.value(QStringLiteral("f")).toInt(), 4);
        QSettings processStore(QStringLiteral("Kvarn"), QStringLiteral("ProcessOptionsWidget_Simulator"));
        QCOMPARE(processStore.value(QStringLiteral("add")).toInt(), 5);
        QSettings measureStore(QStringLiteral("Kvarn"), QStringLiteral("MeasureOptionsWidget_Simulator"));
        QCOMPARE(measureStore.value(QStringLiteral("f2")).toBool(), false);
        QCOMPARE(measureStore.value(QStringLiteral("f1")).toBool(), true);

        // New widgets start from the stored state and emit nothing while they load it.
        GraphicOptionsWidget_Simulator graphic;
        ProcessOptionsWidget_Simulator process;
        MeasureOptionsWidget_Simulator measure;
        QCOMPARE(graphic.fComboBox->currentIndex(), 4);
        QCOMPARE(process.addHorizontalSlider->value(), 5);
        QVERIFY(!measure.f2CheckBox->isChecked());
        QVERIFY(measure.f5CheckBox->isChecked());
    }

    void outOfRangeStoredChannel()
    {
        for (int stored : {5, -1, 1000}) {
            {
                QSettings store(QStringLiteral("Kvarn"), QStringLiteral("GraphicOptionsWidget_Simulator"));
                store.setValue(QStringLiteral("f"), stored);
            }
            {
                GraphicOptionsWidget_Simulator graphic;
                QCOMPARE(graphic.fComboBox->currentIndex(), 0);
                ProcessOptionsWidget_Simulator process;
                ZndTranslator_Simulator translator;
                bool ok = false;
                QCOMPARE(translator.point(sampleRecord, &process, &graphic, &ok), QPointF(1, 10));
                QVERIFY(ok);
            }
            QSettings store(QStringLiteral("Kvarn"), QStringLiteral("GraphicOptionsWidget_Simulator"));
            QCOMPARE(store.value(QStringLiteral("f")).toInt(), 0);
        }
    }
};

TUNDRACK_TEST(SimulatorTest)
#include "simulatortest.moc"
