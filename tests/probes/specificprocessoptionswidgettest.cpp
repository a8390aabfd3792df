#include "common/testregistry.h"
#include "common/testsupport.h"

#include "probes/kestrion/graphicoptionswidget_kestrion.h"
#include "probes/simulator/graphicoptionswidget_simulator.h"
#include "probes/simulator/processoptionswidget_simulator.h"
#include "probes/specificprocessoptionswidget.h"
#include "survey/processoptionsstore.h"

#include <QPointer>
#include <QScopedPointer>
#include <QTest>

namespace {

// Clicks a check box on its indicator: the middle of a wide box lies beyond
// its short text, where a click does nothing.
void clickIndicator(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(6, button->height() / 2));
}

bool framesShown(const SpecificProcessOptionsWidget& w)
{
    return !w.powFrame->isHidden() && !w.specificDataCheckBox->isHidden()
           && !w.gowFrame->isHidden();
}

bool framesHidden(const SpecificProcessOptionsWidget& w)
{
    return w.powFrame->isHidden() && w.specificDataCheckBox->isHidden() && w.gowFrame->isHidden();
}

} // namespace

class ProcessOptionsStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { ProcessOptionsStore::instance()->clear(); }
    void cleanupTestCase() { ProcessOptionsStore::instance()->clear(); }

    void oneStoreForTheProcess()
    {
        ProcessOptionsStore* store = ProcessOptionsStore::instance();
        QVERIFY(store);
        QCOMPARE(ProcessOptionsStore::instance(), store);
        QVERIFY(store->options().isEmpty());

        // The defaults stand for a probe without stored options.
        const SpecificProcessOptions defaults;
        QVERIFY(defaults.enabled);
        QVERIFY(!defaults.specificData);

        SpecificProcessOptions off;
        off.enabled = false;
        store->options().insert(ProbeId(1, 0), off);
        QCOMPARE(ProcessOptionsStore::instance()->options().value(ProbeId(1, 0)), off);

        QMap<ProbeId, SpecificProcessOptions> replacement;
        SpecificProcessOptions specific;
        specific.specificData = true;
        replacement.insert(ProbeId(0, 0), specific);
        replacement.insert(ProbeId(254, 254), SpecificProcessOptions());
        store->setOptions(replacement);
        // Replaced as a whole: the earlier entry is gone.
        QCOMPARE(store->options(), replacement);
        QVERIFY(!store->options().contains(ProbeId(1, 0)));
        QCOMPARE(store->options().firstKey(), ProbeId(0, 0));

        store->clear();
        QVERIFY(ProcessOptionsStore::instance()->options().isEmpty());
    }
};

class SpecificProcessOptionsWidgetTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::clearAllSettings(); }

    void form()
    {
        SpecificProcessOptionsWidget w;
        QCOMPARE(w.enableCheckBox->text(), QStringLiteral("Enable"));
        QCOMPARE(w.specificDataCheckBox->text(), QStringLiteral("Specific data"));
        QVERIFY(w.enableCheckBox->isChecked());
        QVERIFY(!w.specificDataCheckBox->isChecked());
        QVERIFY(!w.gowFrame->isEnabled());
        QVERIFY(w.powFrame->isEnabled());
        QVERIFY(framesShown(w));
        QVERIFY(w.isOptionsEnabled());
        QVERIFY(!w.isSpecificData());

        // Top to bottom in one vertical layout, the spacer last.
        QCOMPARE(w.layout(), w.verticalLayout);
        QCOMPARE(w.verticalLayout->count(), 5);
        QCOMPARE(w.verticalLayout->itemAt(0)->widget(), w.enableCheckBox);
        QCOMPARE(w.verticalLayout->itemAt(1)->widget(), w.powFrame);
        QCOMPARE(w.verticalLayout->itemAt(2)->widget(), w.specificDataCheckBox);
        QCOMPARE(w.verticalLayout->itemAt(3)->widget(), w.gowFrame);
        QVERIFY(w.verticalLayout->itemAt(4)->spacerItem());
        QCOMPARE(w.powFrame->layout(), w.verticalLayout_2);
        QCOMPARE(w.gowFrame->layout(), w.verticalLayout_3);
        QCOMPARE(w.verticalLayout_2->count(), 0);
        QCOMPARE(w.verticalLayout_3->count(), 0);
    }

    void optionWidgetsAreTakenOnce()
    {
        SpecificProcessOptionsWidget w;
        // A null widget is no widget: the next one is still taken.
        w.setProcessOptionsWidget(nullptr);
        w.setGraphicOptionsWidget(nullptr);
        QCOMPARE(w.verticalLayout_2->count(), 0);

        QPointer<ProcessOptionsWidget_Simulator> process(new ProcessOptionsWidget_Simulator);
        QPointer<GraphicOptionsWidget_Simulator> graphic(new GraphicOptionsWidget_Simulator);
        w.setProcessOptionsWidget(process);
        w.setGraphicOptionsWidget(graphic);
        QCOMPARE(process->parentWidget(), w.powFrame);
        QCOMPARE(graphic->parentWidget(), w.gowFrame);
        QCOMPARE(w.verticalLayout_2->count(), 1);
        QCOMPARE(w.verticalLayout_2->itemAt(0)->widget(), process.data());
        QCOMPARE(w.verticalLayout_3->itemAt(0)->widget(), graphic.data());

        // Later widgets are ignored and stay with their caller.
        QScopedPointer<ProcessOptionsWidget_Simulator> secondProcess(new ProcessOptionsWidget_Simulator);
        QScopedPointer<GraphicOptionsWidget_Kestrion> secondGraphic(new GraphicOptionsWidget_Kestrion);
        w.setProcessOptionsWidget(secondProcess.data());
        w.setGraphicOptionsWidget(secondGraphic.data());
        w.setProcessOptionsWidget(nullptr);
        QVERIFY(!secondProcess->parent());
        QVERIFY(!secondGraphic->parent());
        QCOMPARE(w.verticalLayout_2->count(), 1);
        QCOMPARE(w.verticalLayout_3->count(), 1);
        QCOMPARE(w.verticalLayout_2->itemAt(0)->widget(), process.data());
        QCOMPARE(w.verticalLayout_3->itemAt(0)->widget(), graphic.data());
        QCOMPARE(w.powFrame->findChildren<ProcessOptionsWidget*>().size(), 1);
        QCOMPARE(w.gowFrame->findChildren<GraphicOptionsWidget*>().size(), 1);

        // The taken widgets belong to the page.
        QPointer<ProcessOptionsWidget_Simulator> owned(new ProcessOptionsWidget_Simulator);
        QPointer<GraphicOptionsWidget_Simulator> ownedGraphic(new GraphicOptionsWidget_Simulator);
        {
            SpecificProcessOptionsWidget page;
            page.setProcessOptionsWidget(owned);
            page.setGraphicOptionsWidget(ownedGraphic);
        }
        QVERIFY(!owned);
        QVERIFY(!ownedGraphic);
        QVERIFY(process && graphic);
    }

    void checkBoxesByMouse()
    {
        SpecificProcessOptionsWidget w;
        w.setProcessOptionsWidget(new ProcessOptionsWidget_Simulator);
        w.setGraphicOptionsWidget(new GraphicOptionsWidget_Simulator);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.powFrame->isVisible() && w.gowFrame->isVisible());
        QVERIFY(!w.gowFrame->isEnabled());
        QVERIFY(!w.findChild<GraphicOptionsWidget_Simulator*>()->isEnabled());

        // Specific data enables the graphic options.
        clickIndicator(w.specificDataCheckBox);
        QVERIFY(w.specificDataCheckBox->isChecked());
        QVERIFY(w.gowFrame->isEnabled());
        QVERIFY(w.findChild<GraphicOptionsWidget_Simulator*>()->isEnabled());
        QVERIFY(w.isSpecificData());

        // Enable off hides both frames and Specific data, which then counts
        // as off although it stays checked.
        clickIndicator(w.enableCheckBox);
        QVERIFY(!w.enableCheckBox->isChecked());
        QVERIFY(!w.isOptionsEnabled());
        QVERIFY(framesHidden(w));
        QVERIFY(!w.powFrame->isVisible());
        QVERIFY(w.specificDataCheckBox->isChecked());
        QVERIFY(!w.isSpecificData());

        // Enable on brings them back as they were.
        clickIndicator(w.enableCheckBox);
        QVERIFY(w.isOptionsEnabled());
        QVERIFY(framesShown(w));
        QVERIFY(w.gowFrame->isVisible());
        QVERIFY(w.gowFrame->isEnabled());
        QVERIFY(w.isSpecificData());

        clickIndicator(w.specificDataCheckBox);
        QVERIFY(!w.specificDataCheckBox->isChecked());
        QVERIFY(!w.gowFrame->isEnabled());
        QVERIFY(w.gowFrame->isVisible());
        QVERIFY(!w.isSpecificData());
        QVERIFY(w.isOptionsEnabled());
    }

    void setters()
    {
        SpecificProcessOptionsWidget w;
        w.setOptionsEnabled(false);
        QVERIFY(!w.enableCheckBox->isChecked());
        QVERIFY(framesHidden(w));
        w.setSpecificData(true);
        QVERIFY(w.specificDataCheckBox->isChecked());
        QVERIFY(w.gowFrame->isEnabled());
        QVERIFY(!w.isSpecificData());
        w.setOptionsEnabled(true);
        QVERIFY(w.enableCheckBox->isChecked());
        QVERIFY(framesShown(w));
        QVERIFY(w.isSpecificData());
        w.setSpecificData(false);
        QVERIFY(!w.gowFrame->isEnabled());
        QVERIFY(!w.isSpecificData());

        // The slots do what the setters do.
        w.onEnableClicked(false);
        QVERIFY(!w.isOptionsEnabled());
        QVERIFY(framesHidden(w));
        w.onSpecificDataClicked(true);
        QVERIFY(w.gowFrame->isEnabled());
        w.onEnableClicked(true);
        QVERIFY(w.isSpecificData());
    }
};

TUNDRACK_TEST(ProcessOptionsStoreTest)
TUNDRACK_TEST(SpecificProcessOptionsWidgetTest)

#include "specificprocessoptionswidgettest.moc"
