#include "common/testregistry.h"
#include "common/testsupport.h"

#include "planmap/planmapplot.h"
#include "planmap/planmapslicecurve.h"
#include "slices/move2dialog.h"
#include "slices/move3dialog.h"
#include "slices/sliceobjectlinewidget.h"
#include "slices/sliceobjectlist.h"
#include "slices/sliceobjectlistwidget.h"
#include "slices/sliceobjectwidget.h"

#include <qwt_plot_curve.h>

#include <QKeySequence>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyleOptionButton>
#include <QTest>

namespace {

// A plan map and the project's slices, each with its outline on the map.
// The map outlives the slices that own its curves.
struct Project
{
    PlanMapPlot plot;
    SliceObjectList list;

    SliceObject* add(const QString& title, const QPolygonF& polygon, double height = 0.0)
    {
        SliceObject slice;
        slice.setTitle(title);
        slice.setPolygon(polygon);
        slice.setHeight(height);
        list.append(slice);
        SliceObject* added = list.at(list.count() - 1);
        added->setCurve(plot.createSliceCurve());
        return added;
    }

    int outlines() const { return plot.itemList(PlanMapSliceCurve::Rtti).size(); }

    // The plot's one plain curve is its highlight of the viewed slice.
    QVector<QPointF> highlight() const
    {
        const QwtPlotItemList plain = plot.itemList(QwtPlotItem::Rtti_PlotCurve);
        if (plain.size() != 1)
            qFatal("no single highlight curve");
        return samples(static_cast<const QwtPlotCurve*>(plain.first()));
    }

    static QVector<QPointF> samples(const QwtPlotCurve* curve)
    {
        QVector<QPointF> points;
        for (size_t i = 0; i < curve->dataSize(); ++i)
            points.append(curve->sample(int(i)));
        return points;
    }
};

QPolygonF line(double x1, double y1, double x2, double y2)
{
    return QPolygonF() << QPointF(x1, y1) << QPointF(x2, y2);
}

QPolygonF square(double x, double y, double side)
{
    return QPolygonF() << QPointF(x, y) << QPointF(x + side, y) << QPointF(x + side, y + side)
                       << QPointF(x, y + side);
}

SliceObjectLineWidget* row(SliceObjectWidget* widget)
{
    return qobject_cast<SliceObjectLineWidget*>(widget->layout()->itemAt(0)->widget());
}

// Clicks the box where a user would: on its indicator.
void clickBox(QCheckBox* box)
{
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, indicator.center());
}

bool sameImage(const QPixmap& shown, const QString& resource)
{
    const QImage expected = QPixmap(resource).toImage().convertToFormat(QImage::Format_ARGB32);
    return !expected.isNull() && shown.toImage().convertToFormat(QImage::Format_ARGB32) == expected;
}

bool sameIcon(const QToolButton* button, const QString& resource)
{
    const QSize size = button->iconSize();
    return sameImage(button->icon().pixmap(size), resource)
           && !QIcon(resource).pixmap(size).isNull();
}

QStringList texts(const QList<QLineEdit*>& edits)
{
    QStringList shown;
    for (const QLineEdit* edit : edits)
        shown << edit->text();
    return shown;
}

// Records what a slice widget reports, the way the main window hears it.
// Its connections end with it, whichever goes first.
struct Listener : QObject
{
    QStringList events;
    QList<int> rowsAtDeletion;
    QList<const SliceObject*> viewed;

    void listen(SliceObjectWidget* widget, SliceObjectList* purge = nullptr)
    {
        connect(widget, &SliceObjectWidget::modified, this, [this]() { events << QStringLiteral("modified"); });
        connect(widget, &SliceObjectWidget::sendView, this, [this](const SliceObject* slice) {
            events << QStringLiteral("view");
            viewed << slice;
        });
        connect(widget, &SliceObjectWidget::deleted, this, [this, widget, purge]() {
            events << QStringLiteral("deleted");
            rowsAtDeletion << widget->findChildren<SliceObjectLineWidget*>(QString(), Qt::FindDirectChildrenOnly).size();
            if (purge)
                purge->removeDeleted();
        });
    }
};

} // namespace

class SliceObjectWidgetTest : public QObject
{
    Q_OBJECT

private slots:
    void forms()
    {
        Project project;
        SliceObject* slice = project.add(QStringLiteral("#1"), line(0, 0, 10, 0));

        SliceObjectListWidget list;
        QCOMPARE(list.minimumWidth(), 250);
        QCOMPARE(list.verticalLayout_2->spacing(), 0);
        QCOMPARE(list.verticalLayout_2->contentsMargins(), QMargins());
        QCOMPARE(list.verticalLayout->spacing(), 0);
        QCOMPARE(list.verticalLayout->contentsMargins(), QMargins());
        QCOMPARE(list.listLayout->spacing(), 0);
        QVERIFY(list.scrollArea->widgetResizable());
        QCOMPARE(list.scrollArea->widget(), list.scrollAreaWidgetContents);
        QCOMPARE(list.listLayout->count(), 0);

        SliceObjectWidget* widget = list.addSliceObject(slice);
        SliceObjectWidget* second = list.addSliceObject(slice);
        // Appended in order, above the spacer.
        QCOMPARE(list.listLayout->count(), 2);
        QCOMPARE(list.listLayout->itemAt(0)->widget(), static_cast<QWidget*>(widget));
        QCOMPARE(list.listLayout->itemAt(1)->widget(), static_cast<QWidget*>(second));
        QCOMPARE(list.verticalLayout->indexOf(list.listLayout), 0);
        QCOMPARE(list.verticalLayout->count(), 2);
        QVERIFY(list.verticalLayout->itemAt(1)->spacerItem() != nullptr);
        QCOMPARE(widget->parentWidget(), list.scrollAreaWidgetContents);
        QCOMPARE(widget->sliceObject(), slice);

        QVERIFY(qobject_cast<QVBoxLayout*>(widget->layout()) != nullptr);
        QCOMPARE(widget->layout()->contentsMargins(), QMargins(2, 2, 2, 2));
        QCOMPARE(widget->layout()->spacing(), 1);
        QCOMPARE(widget->layout()->count(), 1);
        SliceObjectLineWidget* line = row(widget);
        QVERIFY(line != nullptr);
        QCOMPARE(line->parentWidget(), static_cast<QWidget*>(widget));

        QCOMPARE(line->horizontalLayout->spacing(), 2);
        QCOMPARE(line->horizontalLayout->contentsMargins(), QMargins());
        const QList<QWidget*> order = {line->vLabel,           line->hLabel,         line->checkBox,
                                       line->heightLabel,      line->removeToolButton, line->moveToolButton,
                                       line->viewToolButton};
        QCOMPARE(line->horizontalLayout->count(), order.size());
        for (int i = 0; i < order.size(); ++i)
            QCOMPARE(line->horizontalLayout->indexOf(order.at(i)), i);
        QCOMPARE(line->vLabel->toolTip(), QStringLiteral("Vertical"));
        QCOMPARE(line->hLabel->toolTip(), QStringLiteral("Horizontal"));
        QCOMPARE(line->checkBox->toolTip(), QStringLiteral("Enable"));
        QCOMPARE(line->heightLabel->toolTip(), QStringLiteral("Height"));
        QCOMPARE(line->vLabel->alignment(), Qt::AlignCenter);
        QCOMPARE(line->hLabel->alignment(), Qt::AlignCenter);
        QVERIFY(sameImage(line->vLabel->pixmap(Qt::ReturnByValue), QStringLiteral(":/png/v.png")));
        QVERIFY(sameImage(line->hLabel->pixmap(Qt::ReturnByValue), QStringLiteral(":/png/h.png")));

        const QList<QPair<QToolButton*, QString>> buttons = {
            {line->removeToolButton, QStringLiteral("Remove")},
            {line->moveToolButton, QStringLiteral("Move")},
            {line->viewToolButton, QString()}};
        const QStringList icons = {QStringLiteral(":/png/delete.png"), QStringLiteral(":/png/move.png"),
                                   QStringLiteral(":/png/view.png")};
        for (int i = 0; i < buttons.size(); ++i) {
            QToolButton* button = buttons.at(i).first;
            QCOMPARE(button->toolTip(), buttons.at(i).second);
            QCOMPARE(button->minimumSize(), QSize(28, 14));
            QCOMPARE(button->maximumSize(), QSize(28, 14));
            QCOMPARE(button->iconSize(), QSize(26, 12));
            QVERIFY(button->text().isEmpty());
            QVERIFY2(sameIcon(button, icons.at(i)), qPrintable(icons.at(i)));
        }

        // A row on its own keeps the form's size until it is laid out.
        SliceObjectLineWidget single(slice);
        QCOMPARE(single.size(), QSize(300, 22));

        // Signals are declared in this order.
        const QMetaObject& widgetMeta = SliceObjectWidget::staticMetaObject;
        const int deleted = widgetMeta.indexOfSignal("deleted()");
        const int view = widgetMeta.indexOfSignal("sendView(const SliceObject*)");
        const int modified = widgetMeta.indexOfSignal("modified()");
        QVERIFY(deleted >= 0);
        QVERIFY(deleted < view);
        QVERIFY(view < modified);
        const QMetaObject& lineMeta = SliceObjectLineWidget::staticMetaObject;
        const int lineModified = lineMeta.indexOfSignal("sendModified()");
        const int lineEnabled = lineMeta.indexOfSignal("sendEnabled(bool)");
        const int lineView = lineMeta.indexOfSignal("sendView(const SliceObject*)");
        QVERIFY(lineModified >= 0);
        QVERIFY(lineModified < lineEnabled);
        QVERIFY(lineEnabled < lineView);
    }

    void rowTexts()
    {
        Project project;
        SliceObject* vertical = project.add(QStringLiteral("north & south"), line(1, 2, 3, 4), 7.5);
        SliceObject* horizontal = project.add(QStringLiteral("Level"), square(0, 0, 10), 12.345);
        SliceObject* triangle = project.add(QStringLiteral("Three"), QPolygonF() << QPointF() << QPointF(1, 0)
                                                                                 << QPointF(0, 1), -2);
        SliceObject* empty = project.add(QString(), QPolygonF());
        horizontal->setEnabled(false);

        SliceObjectListWidget list;
        SliceObjectLineWidget* v = row(list.addSliceObject(vertical));
        SliceObjectLineWidget* h = row(list.addSliceObject(horizontal));
        SliceObjectLineWidget* t = row(list.addSliceObject(triangle));
        SliceObjectLineWidget* e = row(list.addSliceObject(empty));
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));

        // A vertical slice: its icon, its title as it is, no height.
        QCOMPARE(v->checkBox->text(), QStringLiteral("north && south"));
        QVERIFY(QKeySequence::mnemonic(v->checkBox->text()).isEmpty());
        QVERIFY(v->checkBox->isChecked());
        QVERIFY(v->viewToolButton->isEnabled());
        QVERIFY(v->vLabel->isVisible());
        QVERIFY(v->hLabel->isHidden());
        QVERIFY(v->heightLabel->text().isEmpty());

        // A horizontal slice: the other icon and the height to two decimals.
        QCOMPARE(h->checkBox->text(), QStringLiteral("Level"));
        QVERIFY(!h->checkBox->isChecked());
        QVERIFY(!h->viewToolButton->isEnabled());
        QVERIFY(h->vLabel->isHidden());
        QVERIFY(h->hLabel->isVisible());
        QCOMPARE(h->heightLabel->text(), QStringLiteral("h = 12.35 m"));

        // Three points already make a horizontal slice; none make a vertical one.
        QVERIFY(t->hLabel->isVisible());
        QVERIFY(t->vLabel->isHidden());
        QCOMPARE(t->heightLabel->text(), QStringLiteral("h = -2.00 m"));
        QVERIFY(e->vLabel->isVisible());
        QVERIFY(e->heightLabel->text().isEmpty());
        QVERIFY(e->checkBox->text().isEmpty());

        // The row shows the slice as it is when it is refreshed.
        vertical->setTitle(QStringLiteral("Renamed"));
        vertical->setPolygon(square(0, 0, 1));
        vertical->setHeight(1000000.5);
        vertical->setEnabled(false);
        v->update();
        QCOMPARE(v->checkBox->text(), QStringLiteral("Renamed"));
        QVERIFY(!v->checkBox->isChecked());
        QVERIFY(!v->viewToolButton->isEnabled());
        QVERIFY(v->vLabel->isHidden());
        QVERIFY(v->hLabel->isVisible());
        QCOMPARE(v->heightLabel->text(), QStringLiteral("h = 1000000.50 m"));
        vertical->setPolygon(line(0, 0, 1, 1));
        v->updateHeight();
        QVERIFY(v->vLabel->isVisible());
        QVERIFY(v->hLabel->isHidden());
        QVERIFY(v->heightLabel->text().isEmpty());
    }

    void rowsFitTheDefaultWidth()
    {
        Project project;
        const QString title = QStringLiteral("Profile along the north-south line through well 12 and beyond");
        SliceObjectListWidget list;
        SliceObjectLineWidget* line = row(list.addSliceObject(project.add(title, square(0, 0, 10), -12345.67)));
        list.resize(list.sizeHint().width(), 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        // The title gives way: the height and every button show in full.
        for (QWidget* part : QList<QWidget*>{line->removeToolButton, line->moveToolButton, line->viewToolButton,
                                             line->heightLabel})
            QVERIFY2(TestSupport::isWhollyInside(part, list.scrollArea->viewport()), qPrintable(part->objectName()));
        QVERIFY(line->heightLabel->width() >= line->heightLabel->sizeHint().width());
        QVERIFY(line->checkBox->isElided());
        QCOMPARE(line->checkBox->text(), title);
    }

    void switchingAndView()
    {
        Project project;
        SliceObject* slice = project.add(QStringLiteral("#1"), square(2, 3, 4), 5);
        SliceObject* other = project.add(QStringLiteral("#2"), line(0, 0, 10, 0));
        SliceObjectListWidget list;
        SliceObjectWidget* widget = list.addSliceObject(slice);
        SliceObjectWidget* otherWidget = list.addSliceObject(other);
        Listener listener;
        listener.listen(widget);
        Listener otherListener;
        otherListener.listen(otherWidget);
        connect(widget, &SliceObjectWidget::sendView, &project.plot, &PlanMapPlot::showSliceObject);
        connect(otherWidget, &SliceObjectWidget::sendView, &project.plot, &PlanMapPlot::showSliceObject);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));

        SliceObjectLineWidget* line = row(widget);
        QStringList order;
        connect(line, &SliceObjectLineWidget::sendEnabled, this,
                [&order](bool on) { order << QStringLiteral("sendEnabled %1").arg(on); });
        connect(line, &SliceObjectLineWidget::sendModified, this, [&order]() { order << QStringLiteral("sendModified"); });
        QList<const SliceObject*> lineView;
        connect(line, &SliceObjectLineWidget::sendView, this,
                [&lineView](const SliceObject* viewed) { lineView << viewed; });

        // View sends the slice on; the plan map highlights its closed outline.
        QVERIFY(project.highlight().isEmpty());
        QTest::mouseClick(line->viewToolButton, Qt::LeftButton);
        QCOMPARE(lineView, (QList<const SliceObject*>{slice}));
        QCOMPARE(listener.events, QStringList{QStringLiteral("view")});
        QCOMPARE(listener.viewed, (QList<const SliceObject*>{slice}));
        QCOMPARE(project.highlight(), (QVector<QPointF>{QPointF(2, 3), QPointF(6, 3), QPointF(6, 7), QPointF(2, 7),
                                                        QPointF(2, 3)}));
        QVERIFY(order.isEmpty());

        // Unticked: View off, outline hidden, project modified; the row stays.
        listener.events.clear();
        clickBox(line->checkBox);
        QVERIFY(!slice->isEnabled());
        QVERIFY(!line->checkBox->isChecked());
        QVERIFY(!line->viewToolButton->isEnabled());
        QVERIFY(!slice->curve()->isVisible());
        QVERIFY(other->curve()->isVisible());
        QCOMPARE(order, (QStringList{QStringLiteral("sendEnabled 0"), QStringLiteral("sendModified")}));
        QCOMPARE(listener.events, QStringList{QStringLiteral("modified")});
        QVERIFY(line->isVisible());
        QVERIFY(otherListener.events.isEmpty());

        // A disabled View button sends nothing.
        QTest::mouseClick(line->viewToolButton, Qt::LeftButton);
        QCOMPARE(lineView.count(), 1);
        QCOMPARE(listener.events, QStringList{QStringLiteral("modified")});

        // Ticked again: View back, outline shown.
        order.clear();
        clickBox(line->checkBox);
        QVERIFY(slice->isEnabled());
        QVERIFY(line->viewToolButton->isEnabled());
        QVERIFY(slice->curve()->isVisible());
        QCOMPARE(order, (QStringList{QStringLiteral("sendEnabled 1"), QStringLiteral("sendModified")}));
        QCOMPARE(listener.events, (QStringList{QStringLiteral("modified"), QStringLiteral("modified")}));

        // Viewing the other slice moves the highlight to its line.
        QTest::mouseClick(row(otherWidget)->viewToolButton, Qt::LeftButton);
        QCOMPARE(otherListener.viewed, (QList<const SliceObject*>{other}));
        const QVector<QPointF> arrow = project.highlight();
        QCOMPARE(arrow.size(), 5);
        QCOMPARE(arrow.at(0), QPointF(0, 0));
        QCOMPARE(arrow.at(1), QPointF(10, 0));

        // The container's slot shows nothing below the row, so nothing changes.
        widget->setItemsVisible(false);
        QVERIFY(line->isVisible());
        QCOMPARE(project.outlines(), 2);
    }

    void removeAnsweredNo()
    {
        Project project;
        SliceObject* slice = project.add(QStringLiteral("a <b>&</b>"), line(0, 0, 1, 1));
        SliceObjectListWidget list;
        QPointer<SliceObjectWidget> widget = list.addSliceObject(slice);
        Listener listener;
        listener.listen(widget, &project.list);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));

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
        QTest::mouseClick(row(widget)->removeToolButton, Qt::LeftButton);
        QCOMPARE(text, QStringLiteral("Remove a <b>&</b>?"));
        QVERIFY(title.isEmpty());
        QCOMPARE(buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(parent, static_cast<QWidget*>(row(widget)));

        // Escape closes the box without a Yes, too.
        TestSupport::onNextModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
        QTest::mouseClick(row(widget)->removeToolButton, Qt::LeftButton);

        QTest::qWait(50);
        QVERIFY(!widget.isNull());
        QVERIFY(!slice->isDeleted());
        QVERIFY(listener.events.isEmpty());
        QCOMPARE(project.list.count(), 1);
        QCOMPARE(project.outlines(), 1);
    }

    void removeAnsweredYes()
    {
        Project project;
        project.add(QStringLiteral("gone"), line(0, 0, 1, 1));
        SliceObject* kept = project.add(QStringLiteral("kept"), square(0, 0, 1), 2);
        QwtPlotCurve* keptCurve = kept->curve();
        auto* list = new SliceObjectListWidget;
        Listener first;
        Listener second;
        QPointer<SliceObjectWidget> removed = list->addSliceObject(project.list.at(0));
        QPointer<SliceObjectWidget> other = list->addSliceObject(kept);
        // The owner purges the flagged slices when a slice widget reports its deletion.
        first.listen(removed, &project.list);
        second.listen(other, &project.list);
        QSignalSpy lineModified(row(removed), &SliceObjectLineWidget::sendModified);
        list->show();
        QVERIFY(QTest::qWaitForWindowExposed(list));
        QCOMPARE(project.outlines(), 2);

        QString text;
        TestSupport::answerNextMessageBox(QMessageBox::Yes, &text);
        QTest::mouseClick(row(removed)->removeToolButton, Qt::LeftButton);
        QCOMPARE(text, QStringLiteral("Remove gone?"));
        // Flagged and reported at once, destroyed later by the event loop.
        QVERIFY(project.list.at(0)->isDeleted());
        QCOMPARE(lineModified.count(), 1);
        QCOMPARE(first.events, QStringList{QStringLiteral("modified")});
        QVERIFY(!removed.isNull());
        QCOMPARE(project.list.count(), 2);

        QTRY_VERIFY(removed.isNull());
        QCOMPARE(first.events,
                 (QStringList{QStringLiteral("modified"), QStringLiteral("modified"), QStringLiteral("deleted")}));
        // The row was still there when deleted() went out.
        QCOMPARE(first.rowsAtDeletion, QList<int>{1});
        QCOMPARE(project.list.count(), 1);
        QCOMPARE(project.list.at(0), kept);
        QCOMPARE(project.outlines(), 1);
        QVERIFY(project.plot.itemList(PlanMapSliceCurve::Rtti).contains(keptCurve));
        QCOMPARE(list->listLayout->count(), 1);
        QVERIFY(second.events.isEmpty());

        // The whole list goes before the data it shows; every slice widget still reports.
        delete list;
        QVERIFY(other.isNull());
        QCOMPARE(second.events, (QStringList{QStringLiteral("modified"), QStringLiteral("deleted")}));
        QCOMPARE(second.rowsAtDeletion, QList<int>{1});
        QCOMPARE(project.list.count(), 1);
        QVERIFY(keptCurve->isVisible());
        QCOMPARE(keptCurve->dataSize(), size_t(5));
    }

    void removalPendingWhenListGoes()
    {
        // A removal the event loop has not carried out yet reports once only.
        Project project;
        SliceObject* slice = project.add(QStringLiteral("a"), line(0, 0, 1, 1));
        auto* list = new SliceObjectListWidget;
        Listener listener;
        SliceObjectWidget* widget = list->addSliceObject(slice);
        listener.listen(widget, &project.list);
        list->show();
        QVERIFY(QTest::qWaitForWindowExposed(list));
        TestSupport::answerNextMessageBox(QMessageBox::Yes);
        QTest::mouseClick(row(widget)->removeToolButton, Qt::LeftButton);
        delete list;
        QTest::qWait(50);
        QCOMPARE(listener.events,
                 (QStringList{QStringLiteral("modified"), QStringLiteral("modified"), QStringLiteral("deleted")}));
        QCOMPARE(project.list.count(), 0);
        QCOMPARE(project.outlines(), 0);
    }

    void moveVertical()
    {
        Project project;
        SliceObject* slice = project.add(QStringLiteral("Line"), line(1.234, -5.678, 10, 0.004), 3);
        SliceObjectListWidget list;
        SliceObjectWidget* widget = list.addSliceObject(slice);
        Listener listener;
        listener.listen(widget);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QToolButton* button = row(widget)->moveToolButton;
        const QPolygonF before = slice->polygon();

        // Cancelled: nothing changes, nothing is reported.
        TestSupport::onNextModal([](QWidget* modal) {
            auto* dialog = qobject_cast<Move2Dialog*>(modal);
            QVERIFY(dialog != nullptr);
            dialog->x1LineEdit->setText(QStringLiteral("50"));
            dialog->buttonBox->button(QDialogButtonBox::Cancel)->click();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(slice->polygon(), before);
        QVERIFY(listener.events.isEmpty());

        // Closed by Escape: the same.
        TestSupport::onNextModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(slice->polygon(), before);
        QVERIFY(listener.events.isEmpty());

        // Accepted as shown: the rounded values replace the polygon and count as a change.
        QStringList shown;
        QString title;
        bool parentless = false;
        TestSupport::onNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<Move2Dialog*>(modal);
            QVERIFY(dialog != nullptr);
            title = dialog->titleLabel->text();
            parentless = dialog->parentWidget() == nullptr;
            shown = texts({dialog->x1LineEdit, dialog->y1LineEdit, dialog->x2LineEdit, dialog->y2LineEdit});
            dialog->buttonBox->button(QDialogButtonBox::Ok)->click();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(title, QStringLiteral("Line"));
        QVERIFY(parentless);
        QCOMPARE(shown, (QStringList{QStringLiteral("1.23"), QStringLiteral("-5.68"), QStringLiteral("10.00"),
                                     QStringLiteral("0.00")}));
        QCOMPARE(slice->polygon(), line(1.23, -5.68, 10, 0));
        QCOMPARE(Project::samples(slice->curve()), QVector<QPointF>(line(1.23, -5.68, 10, 0)));
        QCOMPARE(listener.events, QStringList{QStringLiteral("modified")});

        // Typed values become the two end points; the curve follows; height and kind stay.
        TestSupport::onNextModal([](QWidget* modal) {
            auto* dialog = qobject_cast<Move2Dialog*>(modal);
            dialog->x1LineEdit->setText(QStringLiteral("-4"));
            dialog->y1LineEdit->setText(QStringLiteral("2.5"));
            dialog->x2LineEdit->setText(QStringLiteral("7.25"));
            dialog->y2LineEdit->clear();
            dialog->buttonBox->button(QDialogButtonBox::Ok)->click();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(slice->polygon(), line(-4, 2.5, 7.25, 0));
        QCOMPARE(Project::samples(slice->curve()), QVector<QPointF>(line(-4, 2.5, 7.25, 0)));
        QCOMPARE(slice->height(), 3.0);
        QVERIFY(row(widget)->heightLabel->text().isEmpty());
        QVERIFY(row(widget)->vLabel->isVisible());
        QCOMPARE(listener.events, (QStringList{QStringLiteral("modified"), QStringLiteral("modified")}));
    }

    void moveHorizontal()
    {
        Project project;
        // A longer outline than the dialog shows: the dialog keeps the first four corners.
        const QPolygonF five = square(0, 0, 10) << QPointF(5, 15);
        SliceObject* slice = project.add(QStringLiteral("Level"), five, 12.345);
        SliceObjectListWidget list;
        SliceObjectWidget* widget = list.addSliceObject(slice);
        Listener listener;
        listener.listen(widget);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        SliceObjectLineWidget* line = row(widget);
        QCOMPARE(line->heightLabel->text(), QStringLiteral("h = 12.35 m"));

        // Cancelled: nothing changes, nothing is reported.
        TestSupport::onNextModal([](QWidget* modal) {
            auto* dialog = qobject_cast<Move3Dialog*>(modal);
            QVERIFY(dialog != nullptr);
            dialog->heightLineEdit->setText(QStringLiteral("99"));
            dialog->buttonBox->button(QDialogButtonBox::Cancel)->click();
        });
        QTest::mouseClick(line->moveToolButton, Qt::LeftButton);
        QCOMPARE(slice->polygon(), five);
        QCOMPARE(slice->height(), 12.345);
        QCOMPARE(line->heightLabel->text(), QStringLiteral("h = 12.35 m"));
        QVERIFY(listener.events.isEmpty());

        QStringList shown;
        QString title;
        bool parentless = false;
        TestSupport::onNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<Move3Dialog*>(modal);
            QVERIFY(dialog != nullptr);
            title = dialog->titleLabel->text();
            parentless = dialog->parentWidget() == nullptr;
            shown = texts({dialog->heightLineEdit, dialog->x1LineEdit, dialog->y1LineEdit, dialog->x2LineEdit,
                           dialog->y2LineEdit, dialog->x3LineEdit, dialog->y3LineEdit, dialog->x4LineEdit,
                           dialog->y4LineEdit});
            dialog->heightLineEdit->setText(QStringLiteral("-7.5"));
            dialog->x3LineEdit->setText(QStringLiteral("20"));
            dialog->buttonBox->button(QDialogButtonBox::Ok)->click();
        });
        QTest::mouseClick(line->moveToolButton, Qt::LeftButton);
        QCOMPARE(title, QStringLiteral("Level"));
        QVERIFY(parentless);
        QCOMPARE(shown, (QStringList{QStringLiteral("12.35"), QStringLiteral("0.00"), QStringLiteral("0.00"),
                                     QStringLiteral("10.00"), QStringLiteral("0.00"), QStringLiteral("10.00"),
                                     QStringLiteral("10.00"), QStringLiteral("0.00"), QStringLiteral("10.00")}));
        const QPolygonF moved = QPolygonF() << QPointF(0, 0) << QPointF(10, 0) << QPointF(20, 10) << QPointF(0, 10);
        QCOMPARE(slice->polygon(), moved);
        QCOMPARE(slice->height(), -7.5);
        QCOMPARE(Project::samples(slice->curve()), QVector<QPointF>(moved) << QPointF(0, 0));
        // The height text follows at once.
        QCOMPARE(line->heightLabel->text(), QStringLiteral("h = -7.50 m"));
        QCOMPARE(listener.events, QStringList{QStringLiteral("modified")});

        // OK without a change still rounds what the slice held and reports it.
        slice->setHeight(1.006);
        TestSupport::onNextModal([](QWidget* modal) {
            qobject_cast<Move3Dialog*>(modal)->buttonBox->button(QDialogButtonBox::Ok)->click();
        });
        QTest::mouseClick(line->moveToolButton, Qt::LeftButton);
        QCOMPARE(slice->height(), 1.01);
        QCOMPARE(line->heightLabel->text(), QStringLiteral("h = 1.01 m"));
        QCOMPARE(listener.events, (QStringList{QStringLiteral("modified"), QStringLiteral("modified")}));
    }

    void moveShortPolygons()
    {
        // Outlines shorter than their dialog (from a foreign project file)
        // show the missing points as (0, 0) and come back complete.
        Project project;
        const QPolygonF three = QPolygonF() << QPointF(1, 2) << QPointF(3, 4) << QPointF(5, 6);
        SliceObject* triangle = project.add(QStringLiteral("Three"), three, 4);
        SliceObject* point = project.add(QStringLiteral("One"), QPolygonF() << QPointF(7, 8));
        SliceObject* none = project.add(QStringLiteral("None"), QPolygonF());
        SliceObjectListWidget list;
        SliceObjectWidget* triangleWidget = list.addSliceObject(triangle);
        SliceObjectWidget* pointWidget = list.addSliceObject(point);
        SliceObjectWidget* noneWidget = list.addSliceObject(none);
        QSignalSpy triangleModified(triangleWidget, &SliceObjectWidget::modified);
        QSignalSpy noneModified(noneWidget, &SliceObjectWidget::modified);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));

        QStringList shown;
        TestSupport::onNextModal([&shown](QWidget* modal) {
            auto* dialog = qobject_cast<Move3Dialog*>(modal);
            QVERIFY(dialog != nullptr);
            shown = texts({dialog->x1LineEdit, dialog->y1LineEdit, dialog->x2LineEdit, dialog->y2LineEdit,
                           dialog->x3LineEdit, dialog->y3LineEdit, dialog->x4LineEdit, dialog->y4LineEdit});
            dialog->buttonBox->button(QDialogButtonBox::Ok)->click();
        });
        QTest::mouseClick(row(triangleWidget)->moveToolButton, Qt::LeftButton);
        QCOMPARE(shown, (QStringList{QStringLiteral("1.00"), QStringLiteral("2.00"), QStringLiteral("3.00"),
                                     QStringLiteral("4.00"), QStringLiteral("5.00"), QStringLiteral("6.00"),
                                     QStringLiteral("0.00"), QStringLiteral("0.00")}));
        QCOMPARE(triangle->polygon(), QPolygonF(three) << QPointF(0, 0));
        QCOMPARE(triangle->curve()->dataSize(), size_t(5));
        QCOMPARE(triangleModified.count(), 1);

        // One point is both ends of the line.
        shown.clear();
        TestSupport::onNextModal([&shown](QWidget* modal) {
            auto* dialog = qobject_cast<Move2Dialog*>(modal);
            QVERIFY(dialog != nullptr);
            shown = texts({dialog->x1LineEdit, dialog->y1LineEdit, dialog->x2LineEdit, dialog->y2LineEdit});
            dialog->buttonBox->button(QDialogButtonBox::Cancel)->click();
        });
        QTest::mouseClick(row(pointWidget)->moveToolButton, Qt::LeftButton);
        QCOMPARE(shown, (QStringList{QStringLiteral("7.00"), QStringLiteral("8.00"), QStringLiteral("7.00"),
                                     QStringLiteral("8.00")}));
        QCOMPARE(point->polygon().size(), 1);

        shown.clear();
        TestSupport::onNextModal([&shown](QWidget* modal) {
            auto* dialog = qobject_cast<Move2Dialog*>(modal);
            QVERIFY(dialog != nullptr);
            shown = texts({dialog->x1LineEdit, dialog->y1LineEdit, dialog->x2LineEdit, dialog->y2LineEdit});
            dialog->x2LineEdit->setText(QStringLiteral("3"));
            dialog->buttonBox->button(QDialogButtonBox::Ok)->click();
        });
        QTest::mouseClick(row(noneWidget)->moveToolButton, Qt::LeftButton);
        QCOMPARE(shown, (QStringList() << QStringLiteral("0.00") << QStringLiteral("0.00") << QStringLiteral("0.00")
                                     << QStringLiteral("0.00")));
        QCOMPARE(none->polygon(), line(0, 0, 3, 0));
        QCOMPARE(Project::samples(none->curve()), QVector<QPointF>(line(0, 0, 3, 0)));
        QCOMPARE(noneModified.count(), 1);
    }
};

TUNDRACK_TEST(SliceObjectWidgetTest)
#include "sliceobjectwidgettest.moc"
