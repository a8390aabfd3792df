#include "common/queuedsignalspy.h"
#include "common/testregistry.h"
#include "common/testsupport.h"
#include "slicetestmodels.h"

#include "shared/preferences.h"
#include "slices/sliceobject.h"
#include "slices/sliceplot.h"
#include "slices/slicewidget.h"
#include "slices/xbthread.h"
#include "slices/xcthread.h"

#include <qwt_plot_grid.h>

#include <QAbstractButton>
#include <QDir>
#include <QGridLayout>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QSettings>
#include <QSplitter>
#include <QTest>
#include <QTranslator>

#include <atomic>
#include <cmath>
#include <memory>

// What the slice rows of the main window send.
class ViewRequest : public QObject
{
    Q_OBJECT

signals:
    void sendView(const SliceObject* slice);
};

namespace {

SliceObject verticalSlice(const QPointF& from, const QPointF& to)
{
    SliceObject slice;
    slice.setPolygon(QPolygonF(QVector<QPointF>({from, to})));
    return slice;
}

SliceObject horizontalSlice(double size, double height)
{
    SliceObject slice;
    slice.setPolygon(QPolygonF({QPointF(0, 0), QPointF(size, 0), QPointF(size, size), QPointF(0, size)}));
    slice.setHeight(height);
    return slice;
}

bool gridVisible(const SlicePlot* plot)
{
    const QwtPlotItemList items = plot->itemList(QwtPlotItem::Rtti_PlotGrid);
    return items.size() == 1 && items.first()->isVisible();
}

// Fails the test of anything that starts one worker while the other runs.
class OverlapWatch
{
public:
    explicit OverlapWatch(SliceWidget& view)
        : m_xb(view.findChild<XbThread*>()), m_xc(view.findChild<XcThread*>())
    {
        QObject::connect(
            m_xb, &QThread::started, &m_context,
            [this] {
                ++m_starts;
                if (m_xc->isRunning())
                    m_overlap = true;
            },
            Qt::DirectConnection);
        QObject::connect(
            m_xc, &QThread::started, &m_context,
            [this] {
                ++m_starts;
                if (m_xb->isRunning())
                    m_overlap = true;
            },
            Qt::DirectConnection);
    }
    XbThread* xb() const { return m_xb; }
    XcThread* xc() const { return m_xc; }
    bool overlapped() const { return m_overlap; }
    int starts() const { return m_starts; }

private:
    XbThread* m_xb;
    XcThread* m_xc;
    QObject m_context;
    std::atomic<bool> m_overlap{false};
    std::atomic<int> m_starts{0};
};

// Translates "Value:" of the view's form into a text with a "*".
class StarTranslator : public QTranslator
{
public:
    QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                      int n = -1) const override
    {
        Q_UNUSED(disambiguation);
        Q_UNUSED(n);
        if (QByteArray(context) == "UISliceWidget" && QByteArray(sourceText) == "Value:")
            return QStringLiteral("V*a*l:");
        return QString();
    }
    bool isEmpty() const override { return false; }
};

} // namespace

class SliceWidgetTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void form();
    void valueLabelStar();
    void gridKey();
    void computeShowsResult();
    void cancelAndComputeAgain();
    void supersededRunsAreIgnored();
    void stopWaitsForWorker();
    void tooLarge();
    void destroyWhileRunning();
    void readOutLabels();
    void waitKeepsSplitter();

private:
    std::unique_ptr<XaThread> m_source;
    std::unique_ptr<XaThread> m_negative;
};

void SliceWidgetTest::initTestCase()
{
    m_source = SliceTestModels::flatModels();
    m_negative = SliceTestModels::flatModels(-100.0);
}

void SliceWidgetTest::init()
{
    TestSupport::clearAllSettings();
    Preferences::destroy();
}

void SliceWidgetTest::cleanup()
{
    Preferences::destroy();
}

void SliceWidgetTest::form()
{
    SliceWidget view;
    QCOMPARE(view.objectName(), QString("UISliceWidget"));
    QCOMPARE(view.verticalLayout_2->contentsMargins(), QMargins(6, 6, 6, 6));
    QCOMPARE(view.verticalLayout_2->indexOf(view.line), 0);
    QCOMPARE(view.verticalLayout_2->indexOf(view.waitFrame), 1);
    QCOMPARE(view.verticalLayout_2->indexOf(view.plotFrame), 2);
    QCOMPARE(view.verticalLayout_2->itemAt(3)->layout(), static_cast<QLayout*>(view.horizontalLayout));
    QCOMPARE(view.line->frameShape(), QFrame::HLine);
    QCOMPARE(view.line->frameShadow(), QFrame::Sunken);
    QVERIFY(view.waitFrame->isHidden());
    QVERIFY(!view.plotFrame->isHidden());

    QCOMPARE(view.waitFrame->layout(), static_cast<QLayout*>(view.gridLayout_2));
    int row, column, rowSpan, columnSpan;
    const QList<QPair<QWidget*, int>> middle = {{view.waitLabel, 1}, {view.progressBar, 2}, {view.cancelPushButton, 3}};
    for (const auto& entry : middle) {
        view.gridLayout_2->getItemPosition(view.gridLayout_2->indexOf(entry.first), &row, &column, &rowSpan, &columnSpan);
        QCOMPARE(row, entry.second);
        QCOMPARE(column, 1);
    }
    QCOMPARE(view.waitLabel->text(), QString("Please wait..."));
    QCOMPARE(view.waitLabel->alignment(), Qt::AlignHCenter | Qt::AlignBottom);
    QCOMPARE(view.progressBar->value(), 0);
    QVERIFY(!view.progressBar->isTextVisible());
    QCOMPARE(view.cancelPushButton->text(), QString("Cancel"));

    QCOMPARE(view.plotFrame->layout()->spacing(), 0);
    const QList<QWidget*> row1 = {view.x_Label, view.xLabel, view.y_Label, view.yLabel,
                                  view.v_Label, view.vLabel, view.gridCheckBox, view.exportPushButton};
    for (int i = 0; i < row1.size(); ++i)
        QCOMPARE(view.horizontalLayout->indexOf(row1.at(i)), i);
    QCOMPARE(view.x_Label->text(), QString("X [m]:"));
    QCOMPARE(view.y_Label->text(), QString("Y [m]:"));
    QCOMPARE(view.v_Label->text(), QString("Value:"));
    for (QLabel* label : {view.xLabel, view.yLabel, view.vLabel}) {
        QVERIFY(label->text().isEmpty());
        QCOMPARE(label->minimumWidth(), 75);
    }
    QCOMPARE(view.gridCheckBox->text(), QString("Grid"));
    QCOMPARE(view.exportPushButton->text(), QString("Export"));
    QVERIFY(!view.exportPushButton->icon().isNull());

    // The plot joins the plot frame and the view's controls.
    auto* plot = new SlicePlot;
    view.setPlot(plot);
    QCOMPARE(view.plot(), plot);
    QCOMPARE(plot->parentWidget(), view.plotFrame);
    QCOMPARE(view.plotFrame->layout()->indexOf(plot), 0);
    QCOMPARE(view.findChildren<XbThread*>().size(), 1);
    QCOMPARE(view.findChildren<XcThread*>().size(), 1);
}

void SliceWidgetTest::valueLabelStar()
{
    StarTranslator translator;
    QCoreApplication::installTranslator(&translator);
    SliceWidget view;
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(view.v_Label->text(), QString("V") + QChar(0x00B7) + "a" + QChar(0x00B7) + "l:");
    QCOMPARE(view.x_Label->text(), QString("X [m]:"));
}

void SliceWidgetTest::gridKey()
{
    {
        SliceWidget view;
        auto* plot = new SlicePlot;
        view.setPlot(plot);
        QVERIFY(!view.gridCheckBox->isChecked());
        QVERIFY(!gridVisible(plot));
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTest::mouseClick(view.gridCheckBox, Qt::LeftButton, Qt::NoModifier, view.gridCheckBox->rect().center());
        QVERIFY(view.gridCheckBox->isChecked());
        QVERIFY(gridVisible(plot));
        // Stored on destruction only.
        QVERIFY(!QSettings("Tundrack", "SliceWidget").contains("grid"));
    }
    QCOMPARE(QSettings("Tundrack", "SliceWidget").value("grid"), QVariant(true));
    {
        SliceWidget view;
        QVERIFY(view.gridCheckBox->isChecked());
        auto* plot = new SlicePlot;
        QVERIFY(gridVisible(plot));
        plot->setGridVisible(false);
        view.setPlot(plot);
        QVERIFY(gridVisible(plot));
        view.gridCheckBox->click();
        QVERIFY(!gridVisible(plot));
    }
    QCOMPARE(QSettings("Tundrack", "SliceWidget").value("grid"), QVariant(false));
}

void SliceWidgetTest::computeShowsResult()
{
    Preferences::instance()->setImagePixelSize(0.5);
    SliceWidget view;
    auto* plot = new SlicePlot;
    view.setPlot(plot);
    view.setSource(m_source.get());
    OverlapWatch watch(view);
    QueuedSignalSpy xbFinished(watch.xb(), &QThread::finished);

    // A vertical slice, requested the way the slice rows do.
    ViewRequest request;
    connect(&request, &ViewRequest::sendView, &view, &SliceWidget::compute);
    const SliceObject vertical = verticalSlice(QPointF(0, 5), QPointF(6, 5));
    emit request.sendView(&vertical);
    QVERIFY(view.isWaiting());
    QVERIFY(!view.waitFrame->isHidden());
    for (QWidget* hidden : {static_cast<QWidget*>(view.line), static_cast<QWidget*>(view.plotFrame),
                            static_cast<QWidget*>(view.gridCheckBox), static_cast<QWidget*>(view.exportPushButton)})
        QVERIFY(hidden->isHidden());
    for (QLabel* label : {view.x_Label, view.xLabel, view.y_Label, view.yLabel, view.v_Label, view.vLabel})
        QVERIFY(!label->isHidden());
    QCOMPARE(view.progressBar->value(), 0);

    QTRY_VERIFY_WITH_TIMEOUT(!view.isWaiting(), 60000);
    QCOMPARE(xbFinished.size(), 1);
    QVERIFY(view.waitFrame->isHidden());
    QVERIFY(!view.plotFrame->isHidden());
    QVERIFY(!view.exportPushButton->isHidden());
    QCOMPARE(view.progressBar->value(), 100);
    // The step is the preference: 6 m in 0.5 m cells.
    QCOMPARE(plot->data().columns(), 12);
    QCOMPARE(plot->data().values(), watch.xb()->result().values());
    QCOMPARE(plot->data().xInterval().maxValue(), 6.0);
    QVERIFY(std::fabs(plot->data().yInterval().maxValue() - 10.0) < 1e-6);

    // A horizontal slice at the slice's height.
    Preferences::instance()->setImagePixelSize(1.0);
    const SliceObject horizontal = horizontalSlice(4.0, 3.0);
    view.compute(&horizontal);
    QVERIFY(view.isWaiting());
    QCOMPARE(plot->data().columns(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!view.isWaiting(), 60000);
    QCOMPARE(plot->data().columns(), 4);
    QCOMPARE(plot->data().values().size(), 16);
    QVERIFY(std::fabs(plot->data().values().at(1 + 4 * 2) - SliceTestModels::field(1, 2, 3)) < 1e-9);
    QCOMPARE(watch.starts(), 2);
    QVERIFY(!watch.overlapped());

    // Nothing to compute: the view is cleared and stays idle.
    view.compute(nullptr);
    QVERIFY(!view.isWaiting());
    QCOMPARE(plot->data().columns(), 0);
    QCOMPARE(watch.starts(), 2);
}

void SliceWidgetTest::cancelAndComputeAgain()
{
    // 2000 x 2000 cells: long enough to be stopped half-way.
    Preferences::instance()->setImagePixelSize(0.01);
    SliceWidget view;
    auto* plot = new SlicePlot;
    view.setPlot(plot);
    view.setSource(m_source.get());
    view.resize(500, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    OverlapWatch watch(view);
    QueuedSignalSpy xcFinished(watch.xc(), &QThread::finished);

    const SliceObject big = horizontalSlice(20.0, 5.0);
    view.compute(&big);
    QTRY_VERIFY_WITH_TIMEOUT(view.progressBar->value() >= 1, 60000);
    QVERIFY(watch.xc()->isRunning());
    QTest::mouseClick(view.cancelPushButton, Qt::LeftButton);
    // Back at once, before the worker has even stopped.
    QVERIFY(!view.isWaiting());
    QVERIFY(view.waitFrame->isHidden());
    QVERIFY(!view.plotFrame->isHidden());
    QCOMPARE(plot->data().columns(), 0);
    // The stopped run's raster is never shown.
    QTRY_COMPARE_WITH_TIMEOUT(xcFinished.size(), 1, 10000);
    QCoreApplication::processEvents();
    QCOMPARE(plot->data().columns(), 0);
    QVERIFY(!view.isWaiting());

    // Cancel again, on the same worker, and then a vertical slice.
    view.compute(&big);
    QTRY_VERIFY_WITH_TIMEOUT(view.progressBar->value() >= 1, 60000);
    QTest::mouseClick(view.cancelPushButton, Qt::LeftButton);
    QVERIFY(!view.isWaiting());
    Preferences::instance()->setImagePixelSize(0.05);
    const SliceObject vertical = verticalSlice(QPointF(1, 1), QPointF(4, 5));
    view.compute(&vertical);
    QVERIFY(!watch.xc()->isRunning());
    QVERIFY(view.isWaiting());
    QTRY_VERIFY_WITH_TIMEOUT(!view.isWaiting(), 60000);
    QCOMPARE(plot->data().columns(), 100);
    QCOMPARE(plot->data().values(), watch.xb()->result().values());
    QCOMPARE(xcFinished.size(), 2);
    QCOMPARE(watch.starts(), 3);
    QVERIFY(!watch.overlapped());
}

void SliceWidgetTest::supersededRunsAreIgnored()
{
    Preferences::instance()->setImagePixelSize(0.01);
    SliceWidget view;
    auto* plot = new SlicePlot;
    view.setPlot(plot);
    view.setSource(m_source.get());
    OverlapWatch watch(view);
    QueuedSignalSpy xcFinished(watch.xc(), &QThread::finished);
    QueuedSignalSpy xbFinished(watch.xb(), &QThread::finished);

    // The same worker twice: the first run's finished arrives while the
    // second one still runs and must not end the wait.
    const SliceObject big = horizontalSlice(20.0, 5.0);
    const SliceObject other = horizontalSlice(19.0, 6.0);
    view.compute(&big);
    QTRY_VERIFY_WITH_TIMEOUT(view.progressBar->value() >= 1, 60000);
    view.compute(&other);
    QCOMPARE(view.progressBar->value(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(xcFinished.size(), 1, 10000);
    QCoreApplication::processEvents();
    QVERIFY(watch.xc()->isRunning());
    QVERIFY(view.isWaiting());
    QCOMPARE(plot->data().columns(), 0);

    // Then a vertical slice replaces it before it ends.
    Preferences::instance()->setImagePixelSize(0.1);
    const SliceObject vertical = verticalSlice(QPointF(2, 2), QPointF(2, 9));
    view.compute(&vertical);
    QVERIFY(!watch.xc()->isRunning());
    QTRY_VERIFY_WITH_TIMEOUT(!view.isWaiting(), 60000);
    QTRY_COMPARE_WITH_TIMEOUT(xcFinished.size(), 2, 10000);
    QCoreApplication::processEvents();
    QCOMPARE(xbFinished.size(), 1);
    QCOMPARE(plot->data().columns(), 70);
    QCOMPARE(plot->data().values(), watch.xb()->result().values());
    QCOMPARE(watch.starts(), 3);
    QVERIFY(!watch.overlapped());
}

void SliceWidgetTest::stopWaitsForWorker()
{
    Preferences::instance()->setImagePixelSize(0.01);
    SliceWidget view;
    auto* plot = new SlicePlot;
    view.setPlot(plot);
    view.setSource(m_source.get());
    OverlapWatch watch(view);
    const SliceObject big = horizontalSlice(20.0, 5.0);
    view.compute(&big);
    QTRY_VERIFY_WITH_TIMEOUT(view.progressBar->value() >= 1, 60000);
    view.stop();
    QVERIFY(!watch.xc()->isRunning());
    QVERIFY(!watch.xb()->isRunning());
    QVERIFY(!view.isWaiting());
    QVERIFY(!view.plotFrame->isHidden());
    QTest::qWait(20);
    QCOMPARE(plot->data().columns(), 0);
    // Stopping an idle view changes nothing.
    view.stop();
    QVERIFY(!view.isWaiting());
}

void SliceWidgetTest::tooLarge()
{
    Preferences::instance()->setImagePixelSize(0.01);
    SliceWidget view;
    auto* plot = new SlicePlot;
    view.setPlot(plot);
    view.setSource(m_source.get());
    plot->setData(SliceRasterData());

    QString text;
    QString title = "unset";
    int buttons = -1;
    TestSupport::onNextModal([&](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (!box)
            return;
        text = box->text();
        title = box->windowTitle();
        buttons = int(box->standardButtons());
        box->button(QMessageBox::Ok)->click();
    });
    // 100,000 x 100,000 cells.
    const SliceObject huge = horizontalSlice(1000.0, 5.0);
    view.compute(&huge);
    QTRY_COMPARE_WITH_TIMEOUT(text, QString("Slice is too large"), 10000);
    QCOMPARE(title, QString());
    QCOMPARE(buttons, int(QMessageBox::Ok));
    QVERIFY(!view.isWaiting());
    QVERIFY(!view.plotFrame->isHidden());
    QCOMPARE(plot->data().columns(), 0);
    QVERIFY(!plot->exportSurfer(QDir::temp().filePath("tundrack-never-written.dat")));

    // A vertical slice too long for the cap.
    text.clear();
    TestSupport::answerNextMessageBox(QMessageBox::Ok, &text);
    const SliceObject longLine = verticalSlice(QPointF(0, 0), QPointF(1e6, 0));
    view.compute(&longLine);
    QTRY_COMPARE_WITH_TIMEOUT(text, QString("Slice is too large"), 10000);
    QVERIFY(!view.isWaiting());
}

void SliceWidgetTest::destroyWhileRunning()
{
    Preferences::instance()->setImagePixelSize(0.01);
    auto* view = new SliceWidget;
    view->setPlot(new SlicePlot);
    view->setSource(m_source.get());
    view->gridCheckBox->click();
    QPointer<XcThread> xc = view->findChild<XcThread*>();
    const SliceObject big = horizontalSlice(20.0, 5.0);
    view->compute(&big);
    QTRY_VERIFY_WITH_TIMEOUT(view->progressBar->value() >= 1, 60000);
    QVERIFY(xc->isRunning());
    delete view;
    QVERIFY(xc.isNull());
    QCoreApplication::processEvents();
    QCOMPARE(QSettings("Tundrack", "SliceWidget").value("grid"), QVariant(true));
}

void SliceWidgetTest::readOutLabels()
{
    SliceWidget view;
    auto* plot = new SlicePlot;
    view.setPlot(plot);

    emit plot->currentPoint(Point3D(1.234, -5.678, 3.14159));
    QCOMPARE(view.xLabel->text(), QString("1.23"));
    QCOMPARE(view.yLabel->text(), QString("-5.68"));
    QCOMPARE(view.vLabel->text(), QString("3.14"));
    for (QLabel* label : {view.xLabel, view.yLabel, view.vLabel})
        QCOMPARE(label->minimumSize(), label->maximumSize());
    emit plot->currentPoint(Point3D(10.0, 20.0, std::nan("")));
    QCOMPARE(view.xLabel->text(), QString("10.00"));
    QVERIFY(view.vLabel->text().isEmpty());
    // Negative data is data.
    emit plot->currentPoint(Point3D(0.0, 0.0, -2.5));
    QCOMPARE(view.vLabel->text(), QString("-2.50"));

    // Through the mouse, over a slice of negative values.
    Preferences::instance()->setImagePixelSize(1.0);
    Preferences::instance()->setBilinearInterpolation(false);
    view.setSource(m_negative.get());
    view.resize(500, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    SliceObject slice;
    slice.setPolygon(QPolygonF({QPointF(0, 0), QPointF(4, 0), QPointF(0, 4)}));
    slice.setHeight(2.0);
    view.compute(&slice);
    QTRY_VERIFY_WITH_TIMEOUT(!view.isWaiting(), 60000);
    plot->replot();
    auto moveTo = [plot](double x, double y) {
        const QPoint pixel(qRound(plot->transform(QwtPlot::xTop, x)), qRound(plot->transform(QwtPlot::yLeft, y)));
        QMouseEvent move(QEvent::MouseMove, pixel, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(plot->canvas(), &move);
    };
    moveTo(1.5, 1.5);
    QVERIFY(plot->data().hasData(1 + 4 * 1));
    const double expected = plot->data().values().at(1 + 4 * 1);
    QVERIFY(std::fabs(expected - (SliceTestModels::field(1, 1, 2) - 100.0)) < 1e-9);
    QCOMPARE(view.vLabel->text(), QString::number(expected, 'f', 2));
    QVERIFY(std::fabs(view.xLabel->text().toDouble() - 1.5) < 0.05);
    QVERIFY(std::fabs(view.yLabel->text().toDouble() - 1.5) < 0.05);
    // Outside the triangle there is no data.
    moveTo(3.5, 3.5);
    QVERIFY(view.vLabel->text().isEmpty());
    QVERIFY(std::fabs(view.yLabel->text().toDouble() - 3.5) < 0.05);
}

void SliceWidgetTest::waitKeepsSplitter()
{
    // The view sits below the plan map in a splitter; waiting must not
    // push the splitter.
    Preferences::instance()->setImagePixelSize(0.01);
    QSplitter splitter(Qt::Vertical);
    auto* above = new QWidget;
    splitter.addWidget(above);
    auto* view = new SliceWidget;
    view->layout()->setContentsMargins(2, 2, 2, 2);
    view->layout()->setSpacing(6);
    view->setPlot(new SlicePlot);
    view->setSource(m_source.get());
    splitter.addWidget(view);
    splitter.resize(700, 700);
    splitter.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splitter));
    QTest::qWait(20);
    const QList<int> before = splitter.sizes();

    const SliceObject big = horizontalSlice(20.0, 5.0);
    view->compute(&big);
    QTest::qWait(50);
    QVERIFY(view->isWaiting());
    QCOMPARE(splitter.sizes(), before);
    QVERIFY(view->waitFrame->height() > view->height() / 2);
    QVERIFY(view->layout()->totalMinimumSize().height() <= view->height());
    view->stop();
    QTest::qWait(20);
    QCOMPARE(splitter.sizes(), before);
}

TUNDRACK_TEST(SliceWidgetTest)
#include "slicewidgettest.moc"
