#include "common/testregistry.h"
#include "common/testsupport.h"

#include "probes/kestrion/graphicoptionswidget_kestrion.h"
#include "probes/kestrion/processoptionswidget_kestrion.h"
#include "probes/processoptionsdialog.h"
#include "probes/simulator/graphicoptionswidget_simulator.h"
#include "probes/simulator/processoptionswidget_simulator.h"
#include "probes/specificprocessoptionswidget.h"
#include "survey/processoptionsstore.h"

#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QTranslator>

namespace {

using OptionsMap = QMap<ProbeId, SpecificProcessOptions>;

SpecificProcessOptions options(bool enabled, bool specificData)
{
    SpecificProcessOptions o;
    o.enabled = enabled;
    o.specificData = specificData;
    return o;
}

QString modelOf(const ProbeId& id)
{
    if (id == ProbeId(0, 0))
        return QStringLiteral("SIMULATOR v.0");
    if (id == ProbeId(1, 0))
        return QStringLiteral("KESTRION");
    return QString();
}

QStringList items(const QComboBox* box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

SpecificProcessOptionsWidget* page(const ProcessOptionsDialog& dialog, int i)
{
    return qobject_cast<SpecificProcessOptionsWidget*>(dialog.stackedWidget->widget(i));
}

void clickIndicator(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(6, button->height() / 2));
}

QVariant stored(const char* application, const char* key)
{
    QSettings settings(QStringLiteral("Kvarn"), QString::fromLatin1(application));
    return settings.value(QString::fromLatin1(key));
}

void store(const char* application, const char* key, const QVariant& value)
{
    QSettings settings(QStringLiteral("Kvarn"), QString::fromLatin1(application));
    settings.setValue(QString::fromLatin1(key), value);
}

// Answers every message box that appears while it lives with Ok and keeps
// what each one showed.
class WarningAnswerer : public QObject
{
public:
    struct Seen
    {
        QString title;
        QString text;
        QWidget* parent;
        bool parentVisible;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
    };

    WarningAnswerer()
    {
        connect(&m_timer, &QTimer::timeout, this, &WarningAnswerer::poll);
        m_timer.start(10);
    }

    QList<Seen> seen;

private:
    void poll()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        seen.append({box->windowTitle(), box->text(), box->parentWidget(),
                     box->parentWidget() && box->parentWidget()->isVisible(), box->icon(),
                     box->standardButtons()});
        if (QAbstractButton* ok = box->button(QMessageBox::Ok))
            ok->click();
        else
            box->reject();
    }

    QTimer m_timer;
};

} // namespace

class ProcessOptionsDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        TestSupport::clearAllSettings();
        ProcessOptionsStore::instance()->clear();
    }

    void cleanupTestCase() { ProcessOptionsStore::instance()->clear(); }

    void layoutAndFlags()
    {
        ProcessOptionsDialog dialog({ProbeId(0, 0)});
        QCOMPARE(dialog.windowType(), Qt::Dialog);
        // A title bar with a close button only (Qt adds the title and system
        // menu hints that a close button implies).
        const Qt::WindowFlags flags = dialog.windowFlags();
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        for (Qt::WindowType unwanted :
             {Qt::WindowMinimizeButtonHint, Qt::WindowMaximizeButtonHint,
              Qt::WindowContextHelpButtonHint, Qt::WindowStaysOnTopHint, Qt::FramelessWindowHint})
            QVERIFY(!flags.testFlag(unwanted));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Processing options"));
        QCOMPARE(dialog.size(), QSize(400, 400));
        QCOMPARE(dialog.minimumSize(), QSize(400, 400));
        QVERIFY(!dialog.parent());

        QCOMPARE(dialog.layout(), dialog.verticalLayout);
        QCOMPARE(dialog.verticalLayout->count(), 3);
        QCOMPARE(dialog.verticalLayout->itemAt(0)->widget(), dialog.comboBox);
        QCOMPARE(dialog.verticalLayout->itemAt(1)->widget(), dialog.stackedWidget);
        QCOMPARE(dialog.verticalLayout->itemAt(2)->widget(), dialog.buttonBox);
        QCOMPARE(dialog.buttonBox->orientation(), Qt::Horizontal);
        QCOMPARE(dialog.buttonBox->standardButtons(), QDialogButtonBox::Ok);

        // A page without stored options: enabled, every frequency.
        QCOMPARE(items(dialog.comboBox), QStringList({"SIMULATOR v.0"}));
        QCOMPARE(dialog.stackedWidget->count(), 1);
        SpecificProcessOptionsWidget* p = page(dialog, 0);
        QVERIFY(p);
        QCOMPARE(dialog.stackedWidget->currentWidget(), p);
        QVERIFY(p->enableCheckBox->isChecked());
        QVERIFY(!p->specificDataCheckBox->isChecked());
        QVERIFY(!p->powFrame->isHidden() && !p->gowFrame->isHidden());
        QVERIFY(!p->specificDataCheckBox->isHidden());
        QVERIFY(!p->gowFrame->isEnabled());
        // The model's own option widgets sit in the frames.
        QVERIFY(qobject_cast<ProcessOptionsWidget_Simulator*>(
            p->verticalLayout_2->itemAt(0)->widget()));
        QVERIFY(qobject_cast<GraphicOptionsWidget_Simulator*>(
            p->verticalLayout_3->itemAt(0)->widget()));
    }

    void longOptionTextsAreShownWhole()
    {
        // A translation far wider than the form.
        struct WideTexts : QTranslator
        {
            bool isEmpty() const override { return false; }
            QString translate(const char*, const char* source, const char*, int) const override
            {
                if (qstrcmp(source, "User air calibration") == 0)
                    return QString(80, QLatin1Char('W'));
                return QString();
            }
        } translator;
        // The probe's options switched off: the page opens without them.
        ProcessOptionsStore::instance()->setOptions({{ProbeId(1, 0), options(false, false)}});
        QCoreApplication::installTranslator(&translator);
        ProcessOptionsDialog dialog({ProbeId(1, 0)});
        QCoreApplication::removeTranslator(&translator);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* box = dialog.findChild<QCheckBox*>(QStringLiteral("userAirCalibrationCheckBox"));
        // Switched on, the dialog grows until the option shows in full.
        clickIndicator(page(dialog, 0)->enableCheckBox);
        QTRY_VERIFY(box->width() >= box->sizeHint().width());
        QVERIFY(TestSupport::isWhollyInside(box, &dialog));
        QVERIFY(dialog.minimumWidth() > 400);
    }

    void onePagePerProbeInSetOrder()
    {
        const QSet<ProbeId> ids = {ProbeId(1, 0), ProbeId(0, 0)};
        ProcessOptionsStore::instance()->options().insert(ProbeId(1, 0), options(true, true));
        ProcessOptionsDialog dialog(ids);
        QStringList expected;
        for (const ProbeId& id : ids)
            expected << modelOf(id);
        QCOMPARE(items(dialog.comboBox), expected);
        QCOMPARE(dialog.stackedWidget->count(), 2);
        QCOMPARE(dialog.comboBox->currentIndex(), 0);
        QCOMPARE(dialog.stackedWidget->currentIndex(), 0);

        // Each page holds the widgets of the model named in its combo item.
        for (int i = 0; i < 2; ++i) {
            SpecificProcessOptionsWidget* p = page(dialog, i);
            QVERIFY(p);
            const bool kestrion = dialog.comboBox->itemText(i) == QStringLiteral("KESTRION");
            QCOMPARE(bool(p->findChild<ProcessOptionsWidget_Kestrion*>()), kestrion);
            QCOMPARE(bool(p->findChild<GraphicOptionsWidget_Kestrion*>()), kestrion);
            QCOMPARE(bool(p->findChild<ProcessOptionsWidget_Simulator*>()), !kestrion);
            QCOMPARE(bool(p->findChild<GraphicOptionsWidget_Simulator*>()), !kestrion);
            // The stored options of (1, 0) are shown; (0, 0) has none.
            QCOMPARE(p->isSpecificData(), kestrion);
            QCOMPARE(p->gowFrame->isEnabled(), kestrion);
            QVERIFY(p->isOptionsEnabled());
        }

        // The combo box turns the pages.
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.comboBox->setFocus();
        QTest::keyClick(dialog.comboBox, Qt::Key_Down);
        QCOMPARE(dialog.comboBox->currentIndex(), 1);
        QCOMPARE(dialog.stackedWidget->currentIndex(), 1);
        QVERIFY(dialog.stackedWidget->currentWidget()->isVisible());
        QVERIFY(!page(dialog, 0)->isVisible());
        QTest::keyClick(dialog.comboBox, Qt::Key_Up);
        QCOMPARE(dialog.stackedWidget->currentIndex(), 0);
    }

    void unknownProbeIsWarnedAbout()
    {
        ProcessOptionsStore::instance()->options().insert(ProbeId(7, 7), options(false, false));
        QString text;
        TestSupport::answerNextMessageBox(QMessageBox::Ok, &text);
        QScopedPointer<ProcessOptionsDialog> dialog(
            new ProcessOptionsDialog({ProbeId(1, 0), ProbeId(7, 7)}));
        QCOMPARE(items(dialog->comboBox), QStringList({"KESTRION"}));
        QCOMPARE(dialog->stackedWidget->count(), 1);
        // Not while the dialog is hidden, but over it once it is run.
        QTest::qWait(50);
        QVERIFY(text.isEmpty());
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&]() {
            if (!text.isEmpty() && QApplication::activeModalWidget() == dialog.data())
                dialog->close();
        });
        closer.start(10);
        QCOMPARE(dialog->exec(), int(QDialog::Rejected));
        QCOMPARE(text, QStringLiteral("Project data contain unknown probe (7::7)"));
        dialog.reset();
        // Only the probe with a page has an entry now.
        QCOMPARE(ProcessOptionsStore::instance()->options(),
                 (OptionsMap{{ProbeId(1, 0), options(true, false)}}));
    }

    void everyUnknownProbeIsWarnedAboutOnce()
    {
        QPointer<ProcessOptionsDialog> dialog;
        WarningAnswerer answerer;
        dialog = new ProcessOptionsDialog({ProbeId(7, 7), ProbeId(0, 0), ProbeId(254, 0)});
        dialog->show();
        QTRY_COMPARE(answerer.seen.size(), 2);
        QStringList texts;
        for (const WarningAnswerer::Seen& seen : answerer.seen) {
            texts << seen.text;
            QVERIFY(seen.title.isEmpty());
            QCOMPARE(seen.parent, dialog.data());
            QVERIFY(seen.parentVisible);
            QCOMPARE(seen.icon, QMessageBox::Warning);
            QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        }
        texts.sort();
        QCOMPARE(texts, QStringList({"Project data contain unknown probe (254::0)",
                                     "Project data contain unknown probe (7::7)"}));
        QCOMPARE(items(dialog->comboBox), QStringList({"SIMULATOR v.0"}));
        delete dialog;
        QCOMPARE(ProcessOptionsStore::instance()->options(),
                 (OptionsMap{{ProbeId(0, 0), options(true, false)}}));
    }

    void noKnownProbeEmptiesTheStore()
    {
        ProcessOptionsStore::instance()->options().insert(ProbeId(0, 0), options(false, false));
        {
            WarningAnswerer answerer;
            ProcessOptionsDialog dialog({ProbeId(9, 9)});
            dialog.show();
            QTRY_COMPARE(answerer.seen.size(), 1);
            QCOMPARE(answerer.seen.at(0).text,
                     QStringLiteral("Project data contain unknown probe (9::9)"));
            QCOMPARE(dialog.comboBox->count(), 0);
            QCOMPARE(dialog.stackedWidget->count(), 0);
        }
        QVERIFY(ProcessOptionsStore::instance()->options().isEmpty());

        // No probe at all: no warning, no page, an empty store.
        ProcessOptionsStore::instance()->options().insert(ProbeId(1, 0), options(true, true));
        {
            WarningAnswerer answerer;
            ProcessOptionsDialog dialog({});
            dialog.show();
            QTest::qWait(50);
            QCOMPARE(dialog.comboBox->count(), 0);
            QVERIFY(answerer.seen.isEmpty());
        }
        QVERIFY(ProcessOptionsStore::instance()->options().isEmpty());
    }

    void storedOptionsAreShownAndKept()
    {
        // Enabled false with specific data: shown as stored, kept without it.
        ProcessOptionsStore::instance()->setOptions(
            {{ProbeId(0, 0), options(false, true)}, {ProbeId(1, 0), options(true, true)}});
        {
            ProcessOptionsDialog dialog({ProbeId(0, 0), ProbeId(1, 0)});
            for (int i = 0; i < 2; ++i) {
                SpecificProcessOptionsWidget* p = page(dialog, i);
                const bool simulator = dialog.comboBox->itemText(i) == modelOf(ProbeId(0, 0));
                QCOMPARE(p->enableCheckBox->isChecked(), !simulator);
                QVERIFY(p->specificDataCheckBox->isChecked());
                QVERIFY(p->gowFrame->isEnabled());
                QCOMPARE(p->powFrame->isHidden(), simulator);
                QCOMPARE(p->gowFrame->isHidden(), simulator);
                QCOMPARE(p->specificDataCheckBox->isHidden(), simulator);
            }
        }
        QCOMPARE(ProcessOptionsStore::instance()->options(),
                 (OptionsMap{{ProbeId(0, 0), options(false, false)},
                             {ProbeId(1, 0), options(true, true)}}));

        // Pages of probes no longer in the project are dropped.
        {
            ProcessOptionsDialog dialog({ProbeId(1, 0)});
            QCOMPARE(dialog.stackedWidget->count(), 1);
        }
        QCOMPARE(ProcessOptionsStore::instance()->options(),
                 (OptionsMap{{ProbeId(1, 0), options(true, true)}}));
    }

    void clicksReachTheStore()
    {
        auto* dialog = new ProcessOptionsDialog({ProbeId(0, 0)});
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        SpecificProcessOptionsWidget* p = page(*dialog, 0);
        clickIndicator(p->specificDataCheckBox);
        QVERIFY(p->gowFrame->isEnabled());
        clickIndicator(p->enableCheckBox);
        QVERIFY(!p->powFrame->isVisible());
        QVERIFY(!p->specificDataCheckBox->isVisible());
        QVERIFY(!p->gowFrame->isVisible());
        // Nothing reaches the store before the dialog is gone.
        QVERIFY(ProcessOptionsStore::instance()->options().isEmpty());
        delete dialog;
        // Unchecked Enable stores no specific data, though it was checked.
        QCOMPARE(ProcessOptionsStore::instance()->options(),
                 (OptionsMap{{ProbeId(0, 0), options(false, false)}}));
    }

    void modalRunWithOkStoresEverything()
    {
        store("GraphicOptionsWidget_Kestrion", "f", 1);
        store("ProcessOptionsWidget_Kestrion", "valueType", 2);
        QScopedPointer<ProcessOptionsDialog> dialog(new ProcessOptionsDialog({ProbeId(1, 0)}));
        auto* graphic = dialog->findChild<GraphicOptionsWidget_Kestrion*>();
        auto* process = dialog->findChild<ProcessOptionsWidget_Kestrion*>();
        QVERIFY(graphic && process);
        // The model widgets start from the user's stored options.
        QCOMPARE(graphic->fComboBox->currentIndex(), 1);
        QCOMPARE(process->valueType(), 2);

        bool acted = false;
        TestSupport::onNextModal([&](QWidget* modal) {
            acted = modal == dialog.data();
            SpecificProcessOptionsWidget* p = page(*dialog, 0);
            clickIndicator(p->specificDataCheckBox);
            graphic->fComboBox->setCurrentIndex(2);
            process->m_valueTypeComboBox->setCurrentIndex(1);
            QTest::mouseClick(dialog->buttonBox->button(QDialogButtonBox::Ok), Qt::LeftButton);
        });
        QCOMPARE(dialog->exec(), int(QDialog::Accepted));
        QVERIFY(acted);
        // The option widgets write their settings only when destroyed.
        QCOMPARE(stored("GraphicOptionsWidget_Kestrion", "f").toInt(), 1);
        QCOMPARE(stored("ProcessOptionsWidget_Kestrion", "valueType").toInt(), 2);
        QVERIFY(ProcessOptionsStore::instance()->options().isEmpty());

        dialog.reset();
        QCOMPARE(ProcessOptionsStore::instance()->options(),
                 (OptionsMap{{ProbeId(1, 0), options(true, true)}}));
        QCOMPARE(stored("GraphicOptionsWidget_Kestrion", "f").toInt(), 2);
        QCOMPARE(stored("ProcessOptionsWidget_Kestrion", "valueType").toInt(), 1);
    }

    void closingTheWindowStoresToo()
    {
        ProcessOptionsStore::instance()->setOptions({{ProbeId(0, 0), options(true, true)}});
        QScopedPointer<ProcessOptionsDialog> dialog(new ProcessOptionsDialog({ProbeId(0, 0)}));
        TestSupport::onNextModal([&](QWidget* modal) {
            SpecificProcessOptionsWidget* p = page(*dialog, 0);
            clickIndicator(p->specificDataCheckBox);
            auto* graphic = p->findChild<GraphicOptionsWidget_Simulator*>();
            graphic->fComboBox->setCurrentIndex(3);
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        QCOMPARE(dialog->exec(), int(QDialog::Rejected));
        dialog.reset();
        QCOMPARE(ProcessOptionsStore::instance()->options(),
                 (OptionsMap{{ProbeId(0, 0), options(true, false)}}));
        QCOMPARE(stored("GraphicOptionsWidget_Simulator", "f").toInt(), 3);
    }
};

TUNDRACK_TEST(ProcessOptionsDialogTest)

#include "processoptionsdialogtest.moc"
