#include "common/sessionwriter.h"
#include "common/testregistry.h"
#include "common/testsupport.h"

#include "app/distributiondialog.h"
#include "app/move1dialog.h"
#include "app/profiledialog.h"
#include "app/profileplot.h"
#include "app/rotatedialog.h"
#include "app/scaledialog.h"
#include "app/trackblockentrylinewidget.h"
#include "app/trackblocklinewidget.h"
#include "app/trackblocklistwidget.h"
#include "app/trackblockwidget.h"
#include "shared/elidedcheckbox.h"
#include "shared/elidedlabel.h"
#include "survey/trackblocklist.h"

#include <qwt_plot.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_intervalcurve.h>

#include <QApplication>
#include <QBuffer>
#include <QHelpEvent>
#include <QKeySequence>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStyleOptionButton>
#include <QTest>
#include <QTextDocumentFragment>
#include <QToolTip>

namespace {

// A plan map and the project's blocks, with both curves of every entry
// attached to the map. The map outlives the blocks that own its curves.
struct Project
{
    QwtPlot plot;
    TrackBlockList list;

    // Tracks along x at the given heights y, three records each (x = 0, 1, 2);
    // a height of NaN gives a track without records.
    TrackBlock& load(const QString& name, const QList<double>& ys)
    {
        QList<Track> tracks;
        for (double y : ys) {
            const QList<QByteArray> records =
                std::isnan(y) ? QList<QByteArray>() : QList<QByteArray>{"a", "b", "c"};
            tracks << SessionWriter::track(ProbeId(0, 0), {}, records, std::isnan(y) ? 0.0 : y, 7.0);
        }
        return load(name, tracks);
    }

    TrackBlock& load(const QString& name, const QList<Track>& tracks)
    {
        QBuffer buffer;
        buffer.setData(SessionWriter::bytes({}, tracks));
        buffer.open(QIODevice::ReadOnly);
        if (!list.loadSession(buffer, name))
            qFatal("session not loaded");
        TrackBlock& block = list.block(list.count() - 1);
        for (int i = 0; i < block.entryCount(); ++i) {
            for (int k = 0; k < 2; ++k) {
                auto* curve = new QwtPlotCurve;
                curve->attach(&plot);
                if (k == 0)
                    block.entry(i).setCurve(curve);
                else
                    block.entry(i).setFixedCurve(curve);
            }
        }
        return block;
    }

    int attachedCurves() const { return plot.itemList(QwtPlotItem::Rtti_PlotCurve).size(); }
};

bool curvesVisible(const TrackBlockEntry& entry)
{
    return entry.curve()->isVisible() && entry.fixedCurve()->isVisible();
}

bool curvesHidden(const TrackBlockEntry& entry)
{
    return !entry.curve()->isVisible() && !entry.fixedCurve()->isVisible();
}

TrackBlockLineWidget* headerRow(TrackBlockWidget* widget)
{
    return qobject_cast<TrackBlockLineWidget*>(widget->layout()->itemAt(0)->widget());
}

TrackBlockEntryLineWidget* entryRow(TrackBlockWidget* widget, int i)
{
    return qobject_cast<TrackBlockEntryLineWidget*>(widget->layout()->itemAt(i + 1)->widget());
}

// Clicks the box where a user would: on its indicator.
void clickBox(QCheckBox* box)
{
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, indicator.center());
}

QPointF position(const TrackBlock& block, int entry, int record)
{
    const Point3D& p = block.entries().at(entry).track().records().at(record).position();
    return QPointF(p.x(), p.y());
}

double height(const TrackBlock& block, int entry, int record)
{
    return block.entries().at(entry).track().records().at(record).position().z();
}

void comparePoints(const QPointF& actual, const QPointF& expected)
{
    QVERIFY2(qAbs(actual.x() - expected.x()) < 1e-9 && qAbs(actual.y() - expected.y()) < 1e-9,
             qPrintable(QStringLiteral("(%1, %2) instead of (%3, %4)")
                            .arg(actual.x())
                            .arg(actual.y())
                            .arg(expected.x())
                            .arg(expected.y())));
}

// Records what a block widget reports, the way the main window hears it.
struct Listener
{
    QStringList events;
    QList<int> rowsAtDeletion;

    void listen(TrackBlockWidget* widget, TrackBlockList* purge = nullptr)
    {
        QObject::connect(widget, &TrackBlockWidget::modified, [this]() { events << QStringLiteral("modified"); });
        QObject::connect(widget, &TrackBlockWidget::deleted, [this, widget, purge]() {
            events << QStringLiteral("deleted");
            rowsAtDeletion << widget->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size();
            if (purge)
                purge->removeDeleted();
        });
    }
};

} // namespace

class TrackBlockWidgetTest : public QObject
{
    Q_OBJECT

private slots:
    void forms()
    {
        Project project;
        TrackBlock& block = project.load(QStringLiteral("north & south.kv"), {1, 2});
        block.setEnabled(false);
        block.entry(1).setEnabled(false);

        TrackBlockListWidget list;
        QCOMPARE(list.minimumWidth(), 250);
        QVERIFY(list.windowTitle().isEmpty());
        QCOMPARE(list.listLayout->count(), 0);
        TrackBlockWidget* widget = list.addTrackBlock(&block);
        TrackBlockWidget* second = list.addTrackBlock(&block);
        // Appended in order, above the spacer.
        QCOMPARE(list.listLayout->count(), 2);
        QCOMPARE(list.listLayout->itemAt(0)->widget(), static_cast<QWidget*>(widget));
        QCOMPARE(list.listLayout->itemAt(1)->widget(), static_cast<QWidget*>(second));
        QCOMPARE(list.verticalLayout->indexOf(list.listLayout), 0);
        QCOMPARE(list.verticalLayout->count(), 2);
        QVERIFY(list.verticalLayout->itemAt(1)->spacerItem() != nullptr);
        QCOMPARE(widget->parentWidget(), list.scrollAreaWidgetContents);

        QCOMPARE(widget->layout()->contentsMargins(), QMargins(2, 2, 2, 2));
        QCOMPARE(widget->layout()->spacing(), 1);
        QCOMPARE(widget->layout()->count(), 3);
        TrackBlockLineWidget* header = headerRow(widget);
        QVERIFY(header != nullptr);
        QCOMPARE(header->parentWidget(), static_cast<QWidget*>(widget));

        // The name is shown as it is; "&" makes no shortcut.
        QCOMPARE(header->checkBox->text(), QStringLiteral("north && south.kv"));
        QVERIFY(QKeySequence::mnemonic(header->checkBox->text()).isEmpty());
        QVERIFY(!header->checkBox->isChecked());
        QVERIFY(header->checkBox->font().bold());
        QCOMPARE(header->checkBox->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
        const QList<QPair<QToolButton*, QString>> blockButtons = {
            {header->removeToolButton, QStringLiteral("Remove")},
            {header->moveToolButton, QStringLiteral("Move")},
            {header->rotateToolButton, QStringLiteral("Rotate")},
            {header->scaleToolButton, QStringLiteral("Scale")},
            {header->infoToolButton, QStringLiteral("Info")},
            {header->distributionToolButton, QStringLiteral("Values distribution")}};
        QCOMPARE(header->horizontalLayout->count(), 7);
        QCOMPARE(header->horizontalLayout->spacing(), 2);
        QCOMPARE(header->horizontalLayout->contentsMargins(), QMargins());
        for (int i = 0; i < blockButtons.size(); ++i) {
            QToolButton* button = blockButtons.at(i).first;
            QCOMPARE(header->horizontalLayout->indexOf(button), i + 1);
            QCOMPARE(button->toolTip(), blockButtons.at(i).second);
            QCOMPARE(button->minimumSize(), QSize(28, 14));
            QCOMPARE(button->maximumSize(), QSize(28, 14));
            QCOMPARE(button->iconSize(), QSize(26, 12));
            QVERIFY(button->text().isEmpty());
        }

        for (int i = 0; i < 2; ++i) {
            TrackBlockEntryLineWidget* row = entryRow(widget, i);
            QVERIFY(row != nullptr);
            QCOMPARE(row->checkBox->text(), QStringLiteral("Track %1").arg(i + 1));
            QCOMPARE(row->checkBox->isChecked(), i == 0);
            QVERIFY(row->checkBox->font().bold());
            QCOMPARE(row->label->minimumWidth(), 20);
            QCOMPARE(row->label->maximumWidth(), 20);
            QVERIFY(row->label->text().isEmpty());
            QCOMPARE(row->horizontalLayout->count(), 5);
            QCOMPARE(row->horizontalLayout->indexOf(row->label), 0);
            QCOMPARE(row->horizontalLayout->indexOf(row->checkBox), 1);
            const QList<QPair<QToolButton*, QString>> entryButtons = {
                {row->profileToolButton, QStringLiteral("Profile")},
                {row->infoToolButton, QStringLiteral("Info")},
                {row->distributionToolButton, QStringLiteral("Values distribution")}};
            for (int k = 0; k < entryButtons.size(); ++k) {
                QToolButton* button = entryButtons.at(k).first;
                QCOMPARE(row->horizontalLayout->indexOf(button), k + 2);
                QCOMPARE(button->toolTip(), entryButtons.at(k).second);
                QCOMPARE(button->minimumSize(), QSize(28, 14));
                QCOMPARE(button->maximumSize(), QSize(28, 14));
                QCOMPARE(button->iconSize(), QSize(26, 12));
                QVERIFY(button->text().isEmpty());
            }
        }

        // Signals are declared in this order.
        const QMetaObject& blockMeta = TrackBlockWidget::staticMetaObject;
        QVERIFY(blockMeta.indexOfSignal("deleted()") >= 0);
        QVERIFY(blockMeta.indexOfSignal("deleted()") < blockMeta.indexOfSignal("modified()"));
        const QMetaObject& lineMeta = TrackBlockLineWidget::staticMetaObject;
        QVERIFY(lineMeta.indexOfSignal("sendEnabled(bool)") >= 0);
        QVERIFY(lineMeta.indexOfSignal("sendEnabled(bool)") < lineMeta.indexOfSignal("sendModified()"));
        QVERIFY(TrackBlockEntryLineWidget::staticMetaObject.indexOfSignal("sendModified()") >= 0);
    }

    void switchingBlockAndEntries()
    {
        Project project;
        TrackBlock& block = project.load(QStringLiteral("a.kv"), {1, 2, 3});
        TrackBlockListWidget list;
        TrackBlockWidget* widget = list.addTrackBlock(&block);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));

        TrackBlockLineWidget* header = headerRow(widget);
        QStringList order;
        connect(header, &TrackBlockLineWidget::sendEnabled, this, [&order](bool on) {
            order << QStringLiteral("sendEnabled %1").arg(on);
        });
        connect(header, &TrackBlockLineWidget::sendModified, this, [&order]() { order << QStringLiteral("sendModified"); });
        QSignalSpy modified(widget, &TrackBlockWidget::modified);
        QSignalSpy deleted(widget, &TrackBlockWidget::deleted);

        // An entry switched off hides its own curves only.
        TrackBlockEntryLineWidget* middle = entryRow(widget, 1);
        QSignalSpy middleModified(middle, &TrackBlockEntryLineWidget::sendModified);
        clickBox(middle->checkBox);
        QVERIFY(!middle->checkBox->isChecked());
        QVERIFY(!block.entry(1).isEnabled());
        QVERIFY(curvesHidden(block.entry(1)));
        QVERIFY(curvesVisible(block.entry(0)));
        QVERIFY(curvesVisible(block.entry(2)));
        QCOMPARE(middleModified.count(), 1);
        QCOMPARE(modified.count(), 1);
        QVERIFY(order.isEmpty());

        // The block switched off hides every curve and the entry rows, which keep their own state.
        clickBox(header->checkBox);
        QVERIFY(!block.isEnabled());
        QCOMPARE(order, (QStringList{QStringLiteral("sendEnabled 0"), QStringLiteral("sendModified")}));
        QCOMPARE(modified.count(), 2);
        for (int i = 0; i < 3; ++i) {
            QVERIFY(curvesHidden(block.entry(i)));
            QVERIFY(entryRow(widget, i)->isHidden());
            QCOMPARE(entryRow(widget, i)->checkBox->isChecked(), i != 1);
        }
        QVERIFY(header->isVisible());
        QVERIFY(block.entry(0).isEnabled());

        // Switched on again, only the enabled entries come back.
        order.clear();
        clickBox(header->checkBox);
        QVERIFY(block.isEnabled());
        QCOMPARE(order, (QStringList{QStringLiteral("sendEnabled 1"), QStringLiteral("sendModified")}));
        QCOMPARE(modified.count(), 3);
        QVERIFY(curvesVisible(block.entry(0)));
        QVERIFY(curvesHidden(block.entry(1)));
        QVERIFY(curvesVisible(block.entry(2)));
        for (int i = 0; i < 3; ++i)
            QVERIFY(entryRow(widget, i)->isVisible());

        clickBox(middle->checkBox);
        QVERIFY(block.entry(1).isEnabled());
        QVERIFY(curvesVisible(block.entry(1)));
        QCOMPARE(middleModified.count(), 2);
        QCOMPARE(modified.count(), 4);

        QCOMPARE(deleted.count(), 0);
        QCOMPARE(project.attachedCurves(), 6);
    }

    void disabledBlockAtStart()
    {
        Project project;
        TrackBlock& block = project.load(QStringLiteral("a.kv"), {1, 2});
        block.setEnabled(false);
        TrackBlockListWidget list;
        TrackBlockWidget* widget = list.addTrackBlock(&block);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));

        // The entry rows of a disabled block start hidden, so no entry can be
        // switched on while its block is off.
        QVERIFY(headerRow(widget)->isVisible());
        QVERIFY(entryRow(widget, 0)->isHidden());
        QVERIFY(entryRow(widget, 1)->isHidden());
        QVERIFY(curvesHidden(block.entry(0)));

        clickBox(headerRow(widget)->checkBox);
        QVERIFY(block.isEnabled());
        QVERIFY(entryRow(widget, 0)->isVisible());
        QVERIFY(entryRow(widget, 1)->isVisible());
        QVERIFY(curvesVisible(block.entry(0)));
        QVERIFY(curvesVisible(block.entry(1)));
    }

    void blockWithoutEntries()
    {
        Project project;
        TrackBlock& block = project.load(QStringLiteral("empty.kv"), {qQNaN(), qQNaN()});
        QCOMPARE(block.entryCount(), 0);
        TrackBlockListWidget list;
        TrackBlockWidget* widget = list.addTrackBlock(&block);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QCOMPARE(widget->layout()->count(), 1);

        QSignalSpy enabled(headerRow(widget), &TrackBlockLineWidget::sendEnabled);
        QSignalSpy modified(widget, &TrackBlockWidget::modified);
        clickBox(headerRow(widget)->checkBox);
        QVERIFY(!block.isEnabled());
        QCOMPARE(enabled.count(), 1);
        QCOMPARE(enabled.at(0).at(0).toBool(), false);
        QCOMPARE(modified.count(), 1);
        QCOMPARE(widget->layout()->count(), 1);
        QVERIFY(headerRow(widget)->isVisible());
        widget->setEntriesVisible(true);
        QVERIFY(headerRow(widget)->isVisible());
    }

    void rowsKeepWhatTheyShowed()
    {
        Project project;
        TrackBlock& block = project.load(QStringLiteral("a.kv"), {1});
        TrackBlockListWidget list;
        TrackBlockWidget* widget = list.addTrackBlock(&block);

        // Later changes of the data elsewhere do not reach the rows.
        block.setName(QStringLiteral("renamed.kv"));
        block.setEnabled(false);
        block.entry(0).setName(QStringLiteral("Track 9"));
        block.entry(0).setEnabled(false);
        QCOMPARE(headerRow(widget)->checkBox->text(), QStringLiteral("a.kv"));
        QVERIFY(headerRow(widget)->checkBox->isChecked());
        QCOMPARE(entryRow(widget, 0)->checkBox->text(), QStringLiteral("Track 1"));
        QVERIFY(entryRow(widget, 0)->checkBox->isChecked());
        QVERIFY(entryRow(widget, 0)->isVisibleTo(widget));

        // Until the view is refreshed.
        headerRow(widget)->updateView();
        entryRow(widget, 0)->updateView();
        QCOMPARE(headerRow(widget)->checkBox->text(), QStringLiteral("renamed.kv"));
        QVERIFY(!headerRow(widget)->checkBox->isChecked());
        QCOMPARE(entryRow(widget, 0)->checkBox->text(), QStringLiteral("Track 9"));
        QVERIFY(!entryRow(widget, 0)->checkBox->isChecked());
    }

    void removeAnsweredNo()
    {
        Project project;
        TrackBlock& block = project.load(QStringLiteral("a.kv"), {1});
        TrackBlockListWidget list;
        QPointer<TrackBlockWidget> widget = list.addTrackBlock(&block);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QSignalSpy modified(widget.data(), &TrackBlockWidget::modified);
        QSignalSpy deleted(widget.data(), &TrackBlockWidget::deleted);

        QString title = QStringLiteral("not seen");
        QString text;
        QMessageBox::StandardButtons buttons;
        QWidget* parent = nullptr;
        TestSupport::onNextModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box != nullptr);
            title = box->windowTitle();
            text = box->text();
            buttons = box->standardButtons();
            parent = box->parentWidget();
            box->button(QMessageBox::No)->click();
        });
        QTest::mouseClick(headerRow(widget)->removeToolButton, Qt::LeftButton);
        QCOMPARE(text, QStringLiteral("Remove a.kv?"));
        QVERIFY(title.isEmpty());
        QCOMPARE(buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(parent, static_cast<QWidget*>(headerRow(widget)));

        // Escape closes the box without a Yes, too.
        TestSupport::onNextModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
        QTest::mouseClick(headerRow(widget)->removeToolButton, Qt::LeftButton);

        QTest::qWait(50);
        QVERIFY(!widget.isNull());
        QVERIFY(!block.isDeleted());
        QCOMPARE(modified.count(), 0);
        QCOMPARE(deleted.count(), 0);
        QCOMPARE(project.list.count(), 1);
    }

    void removeAnsweredYes()
    {
        Project project;
        project.load(QStringLiteral("a.kv"), {1, 2});
        project.load(QStringLiteral("b.kv"), {3});
        TrackBlock* kept = &project.list.block(1);
        QwtPlotCurve* keptCurve = kept->entry(0).curve();
        auto* list = new TrackBlockListWidget;
        Listener first;
        Listener second;
        QPointer<TrackBlockWidget> removed = list->addTrackBlock(&project.list.block(0));
        QPointer<TrackBlockWidget> other = list->addTrackBlock(kept);
        // The owner purges the marked blocks when a block widget reports its deletion.
        first.listen(removed, &project.list);
        second.listen(other, &project.list);
        list->show();
        QVERIFY(QTest::qWaitForWindowExposed(list));
        QCOMPARE(project.attachedCurves(), 6);

        QString text;
        TestSupport::answerNextMessageBox(QMessageBox::Yes, &text);
        QTest::mouseClick(headerRow(removed)->removeToolButton, Qt::LeftButton);
        QCOMPARE(text, QStringLiteral("Remove a.kv?"));
        // Marked and reported at once, destroyed later by the event loop.
        QVERIFY(project.list.block(0).isDeleted());
        QCOMPARE(first.events, QStringList{QStringLiteral("modified")});
        QVERIFY(!removed.isNull());

        QTRY_VERIFY(removed.isNull());
        QCOMPARE(first.events,
                 (QStringList{QStringLiteral("modified"), QStringLiteral("modified"), QStringLiteral("deleted")}));
        // The rows were still there when deleted() went out (header and two entries).
        QCOMPARE(first.rowsAtDeletion, QList<int>{3});
        QCOMPARE(project.list.count(), 1);
        QCOMPARE(&project.list.block(0), kept);
        QCOMPARE(project.attachedCurves(), 2);
        QVERIFY(project.plot.itemList(QwtPlotItem::Rtti_PlotCurve).contains(keptCurve));
        QCOMPARE(list->listLayout->count(), 1);
        QVERIFY(second.events.isEmpty());

        // The whole list goes before the data it shows; every block widget still reports.
        delete list;
        QVERIFY(other.isNull());
        QCOMPARE(second.events, (QStringList{QStringLiteral("modified"), QStringLiteral("deleted")}));
        QCOMPARE(second.rowsAtDeletion, QList<int>{2});
        QCOMPARE(project.list.count(), 1);
        QVERIFY(curvesVisible(kept->entry(0)));
    }

    void removalPendingWhenListGoes()
    {
        // A removal the event loop has not carried out yet reports once only.
        Project project;
        project.load(QStringLiteral("a.kv"), {1});
        auto* list = new TrackBlockListWidget;
        Listener listener;
        listener.listen(list->addTrackBlock(&project.list.block(0)), &project.list);
        TrackBlockWidget* widget = qobject_cast<TrackBlockWidget*>(list->listLayout->itemAt(0)->widget());
        list->show();
        QVERIFY(QTest::qWaitForWindowExposed(list));
        TestSupport::answerNextMessageBox(QMessageBox::Yes);
        QTest::mouseClick(headerRow(widget)->removeToolButton, Qt::LeftButton);
        delete list;
        QTest::qWait(50);
        QCOMPARE(listener.events,
                 (QStringList{QStringLiteral("modified"), QStringLiteral("modified"), QStringLiteral("deleted")}));
        QCOMPARE(project.list.count(), 0);
        QCOMPARE(project.attachedCurves(), 0);
    }

    void views()
    {
        TestSupport::clearAllSettings();
        // Simulator tracks with one value per record, at a depth of 1 m.
        const auto track = [](const QList<int>& values) {
            QList<QByteArray> records;
            for (int v : values)
                records << SessionWriter::simulatorRecord({v, 0, 0, 0, 0}, {1, 0, 0, 0, 0});
            return SessionWriter::track(ProbeId(0, 0), QByteArray("\1\2\3\4\5", 5), records);
        };
        Project project;
        TrackBlock& block = project.load(QStringLiteral("v.kv"), QList<Track>{track({0, 9}), track({100}), track({3, 3})});
        block.entry(1).setEnabled(false);
        TrackBlockListWidget list;
        TrackBlockWidget* widget = list.addTrackBlock(&block);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        // The block's own switch plays no part.
        block.setEnabled(false);
        QSignalSpy modified(widget, &TrackBlockWidget::modified);

        // Title and interval heights of the next dialog, closed with Ok.
        QString title;
        QList<double> shown;
        const auto answer = [&]() {
            title.clear();
            shown.clear();
            TestSupport::onNextModal([&](QWidget* modal) {
                auto* profile = qobject_cast<ProfileDialog*>(modal);
                auto* distribution = qobject_cast<DistributionDialog*>(modal);
                QVERIFY(modal->parentWidget() == nullptr);
                if (profile) {
                    title = profile->titleLabel->text();
                    const QwtPlotCurve* depths = profile->profilePlot()->depthCurve();
                    for (size_t i = 0; i < depths->dataSize(); ++i)
                        shown << depths->sample(int(i)).y();
                    profile->buttonBox->button(QDialogButtonBox::Ok)->click();
                } else if (distribution) {
                    title = distribution->titleLabel->text();
                    const auto* curve = static_cast<const QwtPlotIntervalCurve*>(
                        distribution->findChild<QwtPlot*>()->itemList(QwtPlotItem::Rtti_PlotIntervalCurve).first());
                    for (size_t i = 0; i < curve->dataSize(); i += 2)
                        shown << curve->sample(int(i)).interval.maxValue();
                    distribution->buttonBox->button(QDialogButtonBox::Ok)->click();
                }
            });
        };

        // The enabled entries: 0, 9, 3 and 3.
        answer();
        QTest::mouseClick(headerRow(widget)->distributionToolButton, Qt::LeftButton);
        QCOMPARE(title, QStringLiteral("v.kv"));
        QCOMPARE(shown, (QList<double>{25, 50, 0, 0, 25}));

        // An entry's own values, also when it is switched off.
        answer();
        QTest::mouseClick(entryRow(widget, 1)->distributionToolButton, Qt::LeftButton);
        QCOMPARE(title, QStringLiteral("Track 2"));
        QCOMPARE(shown, (QList<double>{0, 0, 100, 0, 0}));

        // The depth points of both records, 1 m below the track.
        answer();
        QTest::mouseClick(entryRow(widget, 0)->profileToolButton, Qt::LeftButton);
        QCOMPARE(title, QStringLiteral("Track 1"));
        QCOMPARE(shown, (QList<double>{-1, -1}));

        QCOMPARE(modified.count(), 0);
    }

    void move()
    {
        Project project;
        TrackBlock& block = project.load(QStringLiteral("m.kv"), {1, -2});
        block.setOrigin(Point3D(1, 2, 3));
        TrackBlockListWidget list;
        TrackBlockWidget* widget = list.addTrackBlock(&block);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QSignalSpy modified(widget, &TrackBlockWidget::modified);
        QToolButton* button = headerRow(widget)->moveToolButton;

        // Cancelled: nothing changes, nothing is reported.
        TestSupport::onNextModal([](QWidget* modal) {
            auto* dialog = qobject_cast<Move1Dialog*>(modal);
            QVERIFY(dialog != nullptr);
            dialog->xLineEdit->setText(QStringLiteral("50"));
            dialog->buttonBox->button(QDialogButtonBox::Cancel)->click();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(block.origin().x(), 1.0);
        comparePoints(position(block, 0, 0), QPointF(0, 1));
        QCOMPARE(modified.count(), 0);

        // Accepted as shown: the origin comes back and nothing moves.
        QStringList shown;
        QString title;
        bool parentless = false;
        TestSupport::onNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<Move1Dialog*>(modal);
            QVERIFY(dialog != nullptr);
            title = dialog->titleLabel->text();
            parentless = dialog->parentWidget() == nullptr;
            shown << dialog->xLineEdit->text() << dialog->yLineEdit->text() << dialog->zLineEdit->text();
            dialog->buttonBox->button(QDialogButtonBox::Ok)->click();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(title, QStringLiteral("m.kv"));
        QVERIFY(parentless);
        QCOMPARE(shown, (QStringList{QStringLiteral("1.00"), QStringLiteral("2.00"), QStringLiteral("3.00")}));
        QCOMPARE(modified.count(), 0);

        // Accepted with a new origin: every record, both curves and the origin move.
        TestSupport::onNextModal([](QWidget* modal) {
            auto* dialog = qobject_cast<Move1Dialog*>(modal);
            QVERIFY(dialog != nullptr);
            dialog->xLineEdit->setText(QStringLiteral("11.5"));
            dialog->yLineEdit->setText(QStringLiteral("-3"));
            dialog->zLineEdit->setText(QStringLiteral("3.25"));
            dialog->buttonBox->button(QDialogButtonBox::Ok)->click();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(modified.count(), 1);
        QCOMPARE(block.origin().x(), 11.5);
        QCOMPARE(block.origin().y(), -3.0);
        QCOMPARE(block.origin().z(), 3.25);
        // Moved by (10.5, -5, 0.25).
        comparePoints(position(block, 0, 0), QPointF(10.5, -4));
        comparePoints(position(block, 1, 2), QPointF(12.5, -7));
        QCOMPARE(height(block, 1, 2), 7.25);
        comparePoints(block.entry(1).curve()->sample(2), QPointF(12.5, -7));

        // An origin within a millimetre of the shown value counts as unchanged.
        block.setOrigin(Point3D(11.5004, -3.0009, 3.2501));
        TestSupport::onNextModal([](QWidget* modal) {
            qobject_cast<Move1Dialog*>(modal)->buttonBox->button(QDialogButtonBox::Ok)->click();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(modified.count(), 1);
        QCOMPARE(block.origin().x(), 11.5004);
        comparePoints(position(block, 0, 0), QPointF(10.5, -4));

        // Further away, the rounded value shown is where the block goes.
        block.setOrigin(Point3D(11.504, -3, 3.25));
        TestSupport::onNextModal([](QWidget* modal) {
            qobject_cast<Move1Dialog*>(modal)->buttonBox->button(QDialogButtonBox::Ok)->click();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(modified.count(), 2);
        QCOMPARE(block.origin().x(), 11.5);
        comparePoints(position(block, 0, 0), QPointF(10.496, -4));
    }

    void rotate()
    {
        Project project;
        TrackBlock& block = project.load(QStringLiteral("r.kv"), {1, -2});
        block.setOrigin(Point3D(1, 1, 5));
        TrackBlockListWidget list;
        TrackBlockWidget* widget = list.addTrackBlock(&block);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QSignalSpy modified(widget, &TrackBlockWidget::modified);
        QToolButton* button = headerRow(widget)->rotateToolButton;

        TestSupport::onNextModal([](QWidget* modal) {
            auto* dialog = qobject_cast<RotateDialog*>(modal);
            QVERIFY(dialog != nullptr);
            dialog->angleLineEdit->setText(QStringLiteral("90"));
            dialog->close();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(modified.count(), 0);
        comparePoints(position(block, 0, 0), QPointF(0, 1));

        // 0 degrees still counts as a change.
        QString shown;
        QString title;
        TestSupport::onNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<RotateDialog*>(modal);
            QVERIFY(dialog != nullptr);
            shown = dialog->angleLineEdit->text();
            title = dialog->titleLabel->text();
            dialog->buttonBox->button(QDialogButtonBox::Ok)->click();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(shown, QStringLiteral("0.00"));
        QCOMPARE(title, QStringLiteral("r.kv"));
        QCOMPARE(modified.count(), 1);
        comparePoints(position(block, 0, 0), QPointF(0, 1));

        // 90 degrees counter-clockwise about the origin (1, 1); heights and origin stay.
        TestSupport::onNextModal([](QWidget* modal) {
            auto* dialog = qobject_cast<RotateDialog*>(modal);
            dialog->angleLineEdit->selectAll();
            QTest::keyClicks(dialog->angleLineEdit, QStringLiteral("90"));
            dialog->buttonBox->button(QDialogButtonBox::Ok)->click();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(modified.count(), 2);
        comparePoints(position(block, 0, 0), QPointF(1, 0));
        comparePoints(position(block, 0, 2), QPointF(1, 2));
        comparePoints(position(block, 1, 1), QPointF(4, 1));
        QCOMPARE(height(block, 1, 1), 7.0);
        comparePoints(block.entry(1).curve()->sample(1), QPointF(4, 1));
        QCOMPARE(block.origin().x(), 1.0);
        QCOMPARE(block.origin().y(), 1.0);
    }

    void scale()
    {
        Project project;
        TrackBlock& block = project.load(QStringLiteral("s.kv"), {1, -2});
        block.setOrigin(Point3D(1, 1, 0));
        TrackBlockListWidget list;
        TrackBlockWidget* widget = list.addTrackBlock(&block);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QSignalSpy modified(widget, &TrackBlockWidget::modified);
        QToolButton* button = headerRow(widget)->scaleToolButton;

        TestSupport::onNextModal([](QWidget* modal) {
            auto* dialog = qobject_cast<ScaleDialog*>(modal);
            QVERIFY(dialog != nullptr);
            dialog->xFactorDoubleSpinBox->setValue(3);
            dialog->buttonBox->button(QDialogButtonBox::Cancel)->click();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(modified.count(), 0);
        comparePoints(position(block, 0, 2), QPointF(2, 1));

        // Both factors 1 change nothing.
        QString title;
        QList<double> shown;
        TestSupport::onNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<ScaleDialog*>(modal);
            QVERIFY(dialog != nullptr);
            title = dialog->titleLabel->text();
            shown << dialog->xFactor() << dialog->yFactor();
            dialog->buttonBox->button(QDialogButtonBox::Ok)->click();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(title, QStringLiteral("s.kv"));
        QCOMPARE(shown, (QList<double>{1.0, 1.0}));
        QCOMPARE(modified.count(), 0);
        comparePoints(position(block, 0, 2), QPointF(2, 1));

        // x first, y second, about the origin; heights stay.
        TestSupport::onNextModal([](QWidget* modal) {
            auto* dialog = qobject_cast<ScaleDialog*>(modal);
            dialog->xFactorDoubleSpinBox->setValue(2);
            dialog->yFactorDoubleSpinBox->setValue(0.5);
            dialog->buttonBox->button(QDialogButtonBox::Ok)->click();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(modified.count(), 1);
        comparePoints(position(block, 0, 0), QPointF(-1, 1));
        comparePoints(position(block, 0, 2), QPointF(3, 1));
        comparePoints(position(block, 1, 2), QPointF(3, -0.5));
        QCOMPARE(height(block, 1, 2), 7.0);
        comparePoints(block.entry(1).curve()->sample(2), QPointF(3, -0.5));
        QCOMPARE(block.origin().x(), 1.0);

        // The dialog starts from 1 again and the factors end at 0.01 and 100.
        TestSupport::onNextModal([&shown](QWidget* modal) {
            auto* dialog = qobject_cast<ScaleDialog*>(modal);
            shown = {dialog->xFactor(), dialog->yFactor()};
            dialog->xFactorDoubleSpinBox->setValue(0);
            dialog->yFactorDoubleSpinBox->setValue(1000);
            dialog->buttonBox->button(QDialogButtonBox::Ok)->click();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(shown, (QList<double>{1.0, 1.0}));
        QCOMPARE(modified.count(), 2);
        comparePoints(position(block, 0, 0), QPointF(1 - 0.02, 1));
        comparePoints(position(block, 1, 2), QPointF(1 + 0.02, 1 - 150));
    }

    void rowsFitTheDefaultWidth()
    {
        Project project;
        const QString name = QStringLiteral("north & south ") + QString(50, QLatin1Char('w')) + QStringLiteral(".kv");
        TrackBlockListWidget list;
        TrackBlockWidget* widget = list.addTrackBlock(&project.load(name, {0.0}));
        TrackBlockWidget* shortWidget = list.addTrackBlock(&project.load(QStringLiteral("b.kv"), {0.0}));
        list.resize(list.sizeHint().width(), 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));

        // Every button of every row shows: no row runs under a scroll bar.
        for (QWidget* row : QList<QWidget*>{headerRow(widget), entryRow(widget, 0), headerRow(shortWidget)}) {
            for (QToolButton* button : row->findChildren<QToolButton*>())
                QVERIFY2(TestSupport::isWhollyInside(button, list.scrollArea->viewport()),
                         qPrintable(button->objectName()));
        }

        // The long name is cut short on screen only; its tooltip is the whole name.
        ElidedCheckBox* box = headerRow(widget)->checkBox;
        QCOMPARE(box->text(), QString(name).replace(QLatin1Char('&'), QLatin1String("&&")));
        QVERIFY(box->shownText().endsWith(QChar(0x2026)));
        QVERIFY(box->text().startsWith(box->shownText().chopped(1)));
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), box->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(box, &help);
        QTRY_COMPARE(QTextDocumentFragment::fromHtml(QToolTip::text()).toPlainText(), name);
        QToolTip::hideText();
        QCOMPARE(headerRow(shortWidget)->checkBox->shownText(), QStringLiteral("b.kv"));
    }

    void longNamesKeepTheDialogsOnScreen()
    {
        Project project;
        const QString name = QStringLiteral("north field ") + QString(218, QLatin1Char('w'));
        TrackBlock& block = project.load(name, {0.0});
        block.entry(0).setName(name);
        TrackBlockListWidget list;
        TrackBlockWidget* widget = list.addTrackBlock(&block);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));

        TrackBlockLineWidget* header = headerRow(widget);
        TrackBlockEntryLineWidget* entry = entryRow(widget, 0);
        for (QToolButton* button : {header->moveToolButton, header->rotateToolButton, header->scaleToolButton,
                                    header->distributionToolButton, entry->profileToolButton,
                                    entry->distributionToolButton}) {
            // The name is cut short on screen only.
            bool shown = false;
            TestSupport::onNextModal([&](QWidget* modal) {
                const auto* label = modal->findChild<ElidedLabel*>(QStringLiteral("titleLabel"));
                shown = label && label->text() == name && label->isElided()
                        && modal->width() <= modal->screen()->availableGeometry().width();
                QTest::keyClick(modal, Qt::Key_Escape);
            });
            QTest::mouseClick(button, Qt::LeftButton);
            QVERIFY2(shown, qPrintable(button->objectName()));
        }
    }
};

TUNDRACK_TEST(TrackBlockWidgetTest)
#include "trackblockwidgettest.moc"
