#include "common/testregistry.h"
#include "common/testsupport.h"
#include "slicetestmodels.h"

#include "shared/plainscaledraw.h"
#include "shared/preferences.h"
#include "slices/sliceplot.h"
#include "slices/surferexport.h"
#include "slices/xbthread.h"
#include "slices/xcthread.h"

#include <qwt_color_map.h>
#include <qwt_matrix_raster_data.h>
#include <qwt_plot_grid.h>
#include <qwt_plot_spectrogram.h>
#include <qwt_scale_widget.h>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QImage>
#include <QImageReader>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {

SliceRasterData raster(const QwtInterval& x, const QwtInterval& y, int columns, const QVector<double>& values,
                       const QVector<bool>& mask, const QVector<QPointF>& outline = QVector<QPointF>())
{
    SliceRasterData data;
    data.setXInterval(x);
    data.setYInterval(y);
    data.setColumns(columns);
    data.setValues(values);
    data.setMask(mask);
    data.setOutline(outline);
    return data;
}

// The 2 x 2 raster over x (0, 10), y (0, 4) whose cell in column 1, row 1
// holds no data.
SliceRasterData twoByTwo()
{
    return raster(QwtInterval(0.0, 10.0), QwtInterval(0.0, 4.0), 2, {1.5, 2.25, 3.125, -1.0},
                  {true, true, true, false}, {QPointF(0, 0), QPointF(10, 0), QPointF(10, 4), QPointF(0, 4)});
}

QByteArray contents(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

QStringList lines(const QString& fileName)
{
    QString text = QString::fromLatin1(contents(fileName));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

// The number as QTextStream writes it by default: the shorter of fixed and
// scientific notation with 6 significant digits.
QString number(double value)
{
    return QString::number(value, 'g', 6);
}

bool near(double a, double b, double tolerance = 1e-9)
{
    return std::fabs(a - b) <= tolerance * (1.0 + std::fabs(b));
}

template <typename Worker>
void runToEnd(Worker& worker)
{
    worker.start();
    worker.wait();
    QCoreApplication::processEvents();
}

QwtPlotSpectrogram* spectrogramOf(const SlicePlot& plot)
{
    const QwtPlotItemList items = plot.itemList(QwtPlotItem::Rtti_PlotSpectrogram);
    return items.size() == 1 ? static_cast<QwtPlotSpectrogram*>(items.first()) : nullptr;
}

QwtPlotGrid* gridOf(const SlicePlot& plot)
{
    const QwtPlotItemList items = plot.itemList(QwtPlotItem::Rtti_PlotGrid);
    return items.size() == 1 ? static_cast<QwtPlotGrid*>(items.first()) : nullptr;
}

QColor drawnColor(const SlicePlot& plot, double x, double y)
{
    const QwtPlotSpectrogram* spectrogram = spectrogramOf(plot);
    const QwtRasterData* data = spectrogram->data();
    return QColor(spectrogram->colorMap()->rgb(data->interval(Qt::ZAxis), data->value(x, y)));
}

// The plot's read-out for the pixel nearest to (x, y).
Point3D mouseReadOut(SlicePlot& plot, double x, double y)
{
    QSignalSpy spy(&plot, &SlicePlot::currentPoint);
    const QPoint pixel(qRound(plot.transform(QwtPlot::xTop, x)), qRound(plot.transform(QwtPlot::yLeft, y)));
    QMouseEvent move(QEvent::MouseMove, pixel, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(plot.canvas(), &move);
    return spy.size() == 1 ? spy.first().first().value<Point3D>() : Point3D(1e300, 1e300, 1e300);
}

// Types the name into the open save dialog and accepts it; a dialog that
// does not take the name is rejected, so no test waits for it.
void acceptFileName(QFileDialog* dialog, const QString& fileName)
{
    dialog->selectFile(fileName);
    // selectFile leaves the name field alone while it has the focus.
    if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        edit->setText(fileName);
    static_cast<QDialog*>(dialog)->accept();
    if (dialog->isVisible())
        dialog->reject();
}

} // namespace

class SlicePlotTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void constructorSettings();
    void scalesAndColours();
    void emptyAndDegenerateRasters();
    void resampleModeFollowsPreference();
    void surferExample();
    void blankFileNames();
    void exportHorizontalSlice();
    void exportVerticalSlice();
    void blankFilesOff();
    void exportWithNothingComputed();
    void exportFailures();
    void negativeData();
    void pngExport();
    void noDataStaysWhite();
    void readOut();
    void exportImageDialog();
};

void SlicePlotTest::init()
{
    TestSupport::clearAllSettings();
    Preferences::destroy();
}

void SlicePlotTest::cleanup()
{
    Preferences::destroy();
}

void SlicePlotTest::constructorSettings()
{
    SlicePlot plot;
    QVERIFY(plot.hasMouseTracking());
    QVERIFY(plot.canvas()->hasMouseTracking());
    QVERIFY(plot.autoReplot());
    QCOMPARE(plot.canvas()->cursor().shape(), Qt::ArrowCursor);
    auto* frame = qobject_cast<QFrame*>(plot.canvas());
    QVERIFY(frame);
    QCOMPARE(frame->frameStyle(), int(QFrame::StyledPanel | QFrame::Plain));
    QCOMPARE(plot.canvasBackground().color(), QColor(Qt::white));
    QCOMPARE(plot.canvasBackground().style(), Qt::SolidPattern);
    QVERIFY(plot.axisEnabled(QwtPlot::xTop));
    QVERIFY(!plot.axisAutoScale(QwtPlot::xTop));
    QVERIFY(!plot.axisAutoScale(QwtPlot::yLeft));
    QVERIFY(plot.axisWidget(QwtPlot::xBottom)->isColorBarEnabled());
    QCOMPARE(plot.axisWidget(QwtPlot::xBottom)->colorBarWidth(), 16);
    // Coordinates in plain notation; the values of the colour bar as before.
    QVERIFY(dynamic_cast<const PlainScaleDraw*>(plot.axisScaleDraw(QwtPlot::xTop)));
    QVERIFY(dynamic_cast<const PlainScaleDraw*>(plot.axisScaleDraw(QwtPlot::yLeft)));
    QVERIFY(!dynamic_cast<const PlainScaleDraw*>(plot.axisScaleDraw(QwtPlot::xBottom)));

    QwtPlotGrid* grid = gridOf(plot);
    QVERIFY(grid);
    QCOMPARE(grid->xAxis(), int(QwtPlot::xTop));
    QCOMPARE(grid->yAxis(), int(QwtPlot::yLeft));
    QCOMPARE(grid->majorPen().color(), QColor(Qt::lightGray));
    QCOMPARE(grid->minorPen().color(), QColor(Qt::lightGray));
    plot.setGridVisible(false);
    QVERIFY(!grid->isVisible());
    plot.setGridVisible(true);
    QVERIFY(grid->isVisible());

    QwtPlotSpectrogram* spectrogram = spectrogramOf(plot);
    QVERIFY(spectrogram);
    QCOMPARE(spectrogram->xAxis(), int(QwtPlot::xTop));
    QCOMPARE(spectrogram->yAxis(), int(QwtPlot::yLeft));
    auto* map = dynamic_cast<const QwtLinearColorMap*>(spectrogram->colorMap());
    QVERIFY(map);
    QCOMPARE(map->format(), QwtColorMap::RGB);
    QCOMPARE(map->colorStops(), QVector<double>({0.0, 1e-200, 0.5, 1.0}));
    const QwtInterval unit(0.0, 1.0);
    QCOMPARE(map->color(unit, 0.0), QColor(Qt::white));
    QCOMPARE(map->color(unit, 1e-100), QColor(Qt::blue));
    QCOMPARE(map->color(unit, 0.5), QColor(Qt::green));
    QCOMPARE(map->color(unit, 1.0), QColor(Qt::red));
}

void SlicePlotTest::scalesAndColours()
{
    SlicePlot plot;
    // Values 2 and 5 without any no-data cell.
    plot.setData(raster(QwtInterval(1.0, 11.0), QwtInterval(-3.0, 5.0), 2, {2.0, 5.0, 3.0, 4.0},
                        {true, true, true, true}));
    const QwtRasterData* data = spectrogramOf(plot)->data();
    QVERIFY(data);
    QCOMPARE(data->interval(Qt::ZAxis).minValue(), 1.999);
    QCOMPARE(data->interval(Qt::ZAxis).maxValue(), 5.0);
    QCOMPARE(data->interval(Qt::XAxis).minValue(), 1.0);
    QCOMPARE(data->interval(Qt::XAxis).maxValue(), 11.0);
    QCOMPARE(data->interval(Qt::YAxis).minValue(), -3.0);
    QCOMPARE(data->interval(Qt::YAxis).maxValue(), 5.0);
    QCOMPARE(plot.axisScaleDiv(QwtPlot::xBottom).lowerBound(), 2.0);
    QCOMPARE(plot.axisScaleDiv(QwtPlot::xBottom).upperBound(), 5.0);
    const QwtScaleWidget* bar = plot.axisWidget(QwtPlot::xBottom);
    QCOMPARE(bar->colorBarInterval().minValue(), 1.999);
    QCOMPARE(bar->colorBarInterval().maxValue(), 5.0);
    auto* barMap = dynamic_cast<const QwtLinearColorMap*>(bar->colorMap());
    QVERIFY(barMap);
    QCOMPARE(barMap->colorStops(), QVector<double>({0.0, 1e-20, 0.5, 1.0}));
    QCOMPARE(plot.axisScaleDiv(QwtPlot::xTop).lowerBound(), 1.0);
    QCOMPARE(plot.axisScaleDiv(QwtPlot::xTop).upperBound(), 11.0);
    QCOMPARE(plot.axisScaleDiv(QwtPlot::yLeft).lowerBound(), -3.0);
    QCOMPARE(plot.axisScaleDiv(QwtPlot::yLeft).upperBound(), 5.0);
    // The smallest value is just above the white end.
    QVERIFY(drawnColor(plot, 3.5, -1.0) != QColor(Qt::white));
    QCOMPARE(plot.data().values(), QVector<double>({2.0, 5.0, 3.0, 4.0}));

    // With a no-data cell the scale starts at -1; that cell is drawn at the
    // white bottom of the Z interval, data cells never are.
    plot.setData(raster(QwtInterval(0.0, 10.0), QwtInterval(0.0, 4.0), 2, {2.0, 5.0, -1.0, 4.0},
                        {true, true, false, true}));
    data = spectrogramOf(plot)->data();
    QCOMPARE(plot.axisScaleDiv(QwtPlot::xBottom).lowerBound(), -1.0);
    QCOMPARE(plot.axisScaleDiv(QwtPlot::xBottom).upperBound(), 5.0);
    QCOMPARE(data->interval(Qt::ZAxis).minValue(), -1.001);
    QCOMPARE(bar->colorBarInterval().minValue(), -1.001);
    Preferences::instance()->setBilinearInterpolation(false);
    plot.setData(plot.data());
    QCOMPARE(drawnColor(plot, 2.5, 3.0), QColor(Qt::white));
    for (const QPointF& p : {QPointF(2.5, 1.0), QPointF(7.5, 1.0), QPointF(7.5, 3.0)})
        QVERIFY(drawnColor(plot, p.x(), p.y()) != QColor(Qt::white));
    // The raster itself keeps -1 for the cell.
    QCOMPARE(plot.data().values().at(2), -1.0);
}

void SlicePlotTest::emptyAndDegenerateRasters()
{
    SlicePlot plot;
    plot.resize(300, 200);
    plot.setData(SliceRasterData());
    plot.replot();
    QCOMPARE(plot.data().columns(), 0);
    QVERIFY(!plot.axisWidget(QwtPlot::xBottom)->colorBarInterval().isValid());
    // Bare axes rather than reversed or astronomical scales.
    for (int axis : {QwtPlot::xTop, QwtPlot::yLeft, QwtPlot::xBottom}) {
        QCOMPARE(plot.axisScaleDiv(axis).lowerBound(), 0.0);
        QCOMPARE(plot.axisScaleDiv(axis).upperBound(), 0.0);
    }
    QVERIFY(std::isnan(plot.valueAt(0.0, 0.0)));

    // No samples in the value range: one no-data cell without extent.
    SliceRasterData none;
    none.setNoData();
    plot.setData(none);
    plot.replot();
    QCOMPARE(plot.axisScaleDiv(QwtPlot::xTop).upperBound(), 0.0);
    QCOMPARE(plot.axisWidget(QwtPlot::xBottom)->colorBarInterval().minValue(), -1.001);
    QVERIFY(std::isnan(plot.valueAt(0.0, 0.0)));
    QVERIFY(std::isnan(plot.valueAt(0.0, -0.5)));

    // A zero-length line: one column of width 0. No look-up divides by it.
    for (bool bilinear : {true, false}) {
        Preferences::instance()->setBilinearInterpolation(bilinear);
        plot.setData(raster(QwtInterval(0.0, 0.0), QwtInterval(0.0, 3.0), 1, {4.0, 5.0, 6.0}, {true, true, true}));
        plot.replot();
        QVERIFY(std::isnan(plot.valueAt(0.0, 1.5)));
        QVERIFY(std::isnan(spectrogramOf(plot)->data()->value(0.0, 1.5)));
        QCOMPARE(plot.axisScaleDiv(QwtPlot::yLeft).upperBound(), 3.0);
        // And a raster of one row of height 0.
        plot.setData(raster(QwtInterval(0.0, 3.0), QwtInterval(2.0, 2.0), 3, {4.0, 5.0, 6.0}, {true, true, true}));
        plot.replot();
        QVERIFY(std::isnan(plot.valueAt(1.5, 2.0)));
        QVERIFY(std::isnan(spectrogramOf(plot)->data()->value(1.5, 2.0)));
    }
}

void SlicePlotTest::resampleModeFollowsPreference()
{
    SlicePlot plot;
    auto mode = [&plot]() {
        auto* matrix = dynamic_cast<const QwtMatrixRasterData*>(spectrogramOf(plot)->data());
        return matrix ? int(matrix->resampleMode()) : -1;
    };
    QVERIFY(Preferences::instance()->bilinearInterpolation());
    plot.setData(twoByTwo());
    QCOMPARE(mode(), int(QwtMatrixRasterData::BilinearInterpolation));
    Preferences::instance()->setBilinearInterpolation(false);
    // Read at each setData, not at construction.
    QCOMPARE(mode(), int(QwtMatrixRasterData::BilinearInterpolation));
    plot.setData(twoByTwo());
    QCOMPARE(mode(), int(QwtMatrixRasterData::NearestNeighbour));
    Preferences::instance()->setBilinearInterpolation(true);
    plot.setData(twoByTwo());
    QCOMPARE(mode(), int(QwtMatrixRasterData::BilinearInterpolation));
}

void SlicePlotTest::surferExample()
{
    QTemporaryDir dir;
    SlicePlot plot;
    plot.setData(twoByTwo());
    const QString fileName = dir.filePath("grid.dat");
    QVERIFY(plot.exportSurfer(fileName));
    QCOMPARE(contents(fileName), QByteArray("0 0 1.5\n0 2 3.125\n5 0 2.25\n"));
    QCOMPARE(contents(dir.filePath("grid.bln")), QByteArray("4 0\n0, 0\n10, 0\n10, 4\n0, 4\n"));

    // An existing file is replaced, not appended to.
    QVERIFY(plot.exportSurfer(fileName));
    QCOMPARE(contents(fileName), QByteArray("0 0 1.5\n0 2 3.125\n5 0 2.25\n"));

    // A raster built without a mask tells no data by -1 alone: the same bytes.
    SliceRasterData unmasked = twoByTwo();
    unmasked.setMask(QVector<bool>());
    plot.setData(unmasked);
    QVERIFY(plot.exportSurfer(dir.filePath("unmasked.dat")));
    QCOMPARE(contents(dir.filePath("unmasked.dat")), QByteArray("0 0 1.5\n0 2 3.125\n5 0 2.25\n"));
}

void SlicePlotTest::blankFileNames()
{
    QCOMPARE(SurferExport::blankFileName("grid.dat"), QString("grid.bln"));
    QCOMPARE(SurferExport::blankFileName("a.dat.dat"), QString("a.bln"));
    QCOMPARE(SurferExport::blankFileName("slice"), QString("slice.bln"));
    QCOMPARE(SurferExport::blankFileName("a.datum.dat"), QString("aum.bln"));
    QCOMPARE(SurferExport::blankFileName("GRID.DAT"), QString("GRID.DAT.bln"));
    QCOMPARE(SurferExport::blankFileName("/survey/x.dat/grid.dat"), QString("/survey/x.dat/grid.bln"));
    QCOMPARE(SurferExport::blankFileName("x.dat/slice"), QString("x.dat/slice.bln"));
    QCOMPARE(SurferExport::blankFileName("../x.dat/y.dat.z"), QString("../x.dat/y.z.bln"));

    // Written beside the XYZ file, in a folder whose name keeps its ".dat".
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("x.dat"));
    SlicePlot plot;
    plot.setData(twoByTwo());
    QVERIFY(plot.exportSurfer(dir.filePath("x.dat/grid.dat")));
    QVERIFY(QFile::exists(dir.filePath("x.dat/grid.bln")));
    QVERIFY(plot.exportSurfer(dir.filePath("x.dat/slice")));
    QCOMPARE(lines(dir.filePath("x.dat/slice.bln")).size(), 5);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList({"x.dat"}));
}

void SlicePlotTest::exportHorizontalSlice()
{
    std::unique_ptr<XaThread> source = SliceTestModels::flatModels();
    XcThread worker;
    const QPolygonF polygon({QPointF(2, 3), QPointF(7, 3.5), QPointF(6, 7), QPointF(2.5, 6)});
    worker.setData(source.get(), polygon, 4.0, 1.0);
    runToEnd(worker);
    const SliceRasterData& r = worker.result();
    QCOMPARE(r.columns(), 5);
    QCOMPARE(r.values().size(), 20);

    SlicePlot plot;
    plot.setData(r);
    QTemporaryDir dir;
    QVERIFY(plot.exportSurfer(dir.filePath("h.dat")));

    // One line per cell whose corner lies inside the polygon, column by
    // column, in slice coordinates, with the value sampled there.
    QStringList expected;
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 4; ++j) {
            if (!polygon.containsPoint(QPointF(2 + i, 3 + j), Qt::OddEvenFill))
                continue;
            const double v = r.values().at(i + 5 * j);
            QVERIFY(near(v, SliceTestModels::field(2 + i, 3 + j, 4.0)));
            expected << QString("%1 %2 %3").arg(i).arg(j).arg(number(v));
        }
    QVERIFY(expected.size() >= 8);
    QCOMPARE(lines(dir.filePath("h.dat")), expected);

    QCOMPARE(lines(dir.filePath("h.bln")),
             QStringList({"4 0", "0, 0", "5, 0.5", "4, 4", "0.5, 3"}));
}

void SlicePlotTest::exportVerticalSlice()
{
    std::unique_ptr<XaThread> source = SliceTestModels::flatModels();
    XbThread worker;
    worker.setData(source.get(), QLineF(0.0, 5.0, 6.0, 5.0), 1.0);
    runToEnd(worker);
    const SliceRasterData& r = worker.result();
    QCOMPARE(r.columns(), 6);
    QCOMPARE(r.values().size(), 60);
    const double lowest = r.yInterval().minValue();
    const double dy = r.yInterval().width() / 10.0;
    QVERIFY(near(lowest, 0.0, 1e-6));
    QVERIFY(near(dy, 1.0, 1e-6));

    SlicePlot plot;
    plot.setData(r);
    QTemporaryDir dir;
    const QString fileName = dir.filePath("v.dat");
    QVERIFY(plot.exportSurfer(fileName));

    // Each line at the lower-left corner of its cell; the value is the one
    // sampled half a cell further along and up.
    const QPolygonF outline(r.outline());
    const QStringList written = lines(fileName);
    int k = 0;
    for (int i = 0; i < 6; ++i)
        for (int j = 0; j < 10; ++j) {
            if (!outline.containsPoint(QPointF(i, lowest + 0.5 + j), Qt::OddEvenFill))
                continue;
            QVERIFY(k < written.size());
            const QStringList parts = written.at(k++).split(' ');
            QCOMPARE(parts.size(), 3);
            QCOMPARE(parts.at(0), number(i * 1.0));
            QCOMPARE(parts.at(1), number(lowest + j * dy));
            QVERIFY(near(parts.at(1).toDouble(), j, 1e-5));
            QVERIFY(near(parts.at(2).toDouble(), SliceTestModels::field(0.5 + i, 5.0, 0.5 + j), 1e-5));
            QCOMPARE(parts.at(2), number(r.values().at(i + 6 * j)));
        }
    QCOMPARE(k, written.size());
    QVERIFY(k >= 50);

    // The outline: a header with its point count, then "x, y" per point,
    // upper chain first, not closed.
    const QStringList blank = lines(dir.filePath("v.bln"));
    QCOMPARE(blank.size(), 1 + 16);
    QCOMPARE(blank.first(), QString("16 0"));
    for (int p = 0; p < 16; ++p)
        QCOMPARE(blank.at(p + 1), number(r.outline().at(p).x()) + ", " + number(r.outline().at(p).y()));
    QCOMPARE(blank.at(1), QString("0, 10"));
    QCOMPARE(blank.at(8), QString("6, 10"));
    QCOMPARE(blank.at(9), QString("6, 0"));
    QCOMPARE(blank.last(), QString("0, 0"));
}

void SlicePlotTest::blankFilesOff()
{
    QTemporaryDir dir;
    SlicePlot plot;
    plot.setData(twoByTwo());
    Preferences::instance()->setCreateSurferBlankFiles(false);
    QVERIFY(plot.exportSurfer(dir.filePath("only.dat")));
    QCOMPARE(lines(dir.filePath("only.dat")).size(), 3);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"only.dat"}));
    Preferences::instance()->setCreateSurferBlankFiles(true);
    QVERIFY(plot.exportSurfer(dir.filePath("only.dat")));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"only.bln", "only.dat"}));
}

void SlicePlotTest::exportWithNothingComputed()
{
    QTemporaryDir dir;
    SlicePlot plot;
    plot.resize(200, 150);
    for (int round = 0; round < 2; ++round) {
        QVERIFY(!plot.exportSurfer(dir.filePath("nothing.dat")));
        QVERIFY(!plot.exportPng(dir.filePath("nothing.png")));
        QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
        plot.setData(twoByTwo());
        plot.setData(SliceRasterData());
    }
    // An existing file is left as it was.
    QFile keep(dir.filePath("keep.dat"));
    QVERIFY(keep.open(QIODevice::WriteOnly));
    keep.write("keep\n");
    keep.close();
    QVERIFY(!plot.exportSurfer(keep.fileName()));
    QCOMPARE(contents(keep.fileName()), QByteArray("keep\n"));
}

void SlicePlotTest::exportFailures()
{
    QTemporaryDir dir;
    SlicePlot plot;
    plot.resize(200, 150);
    plot.setData(twoByTwo());
    QVERIFY(!plot.exportSurfer(dir.filePath("missing/grid.dat")));
    QVERIFY(!plot.exportPng(dir.filePath("missing/grid.png")));
    QVERIFY(!QFile::exists(dir.filePath("missing")));

    // A device that takes no bytes: only the write checks can tell.
    if (QFile::exists("/dev/full")) {
        QVERIFY(!plot.exportSurfer("/dev/full"));
        Preferences::instance()->setCreateSurferBlankFiles(false);
        QVERIFY(!plot.exportSurfer("/dev/full"));
        Preferences::instance()->setCreateSurferBlankFiles(true);
    }

    // The blank file cannot be made: failure, after the XYZ file was written.
    QVERIFY(QDir(dir.path()).mkdir("taken.bln"));
    QVERIFY(!plot.exportSurfer(dir.filePath("taken.dat")));
    QCOMPARE(lines(dir.filePath("taken.dat")).size(), 3);
}

void SlicePlotTest::negativeData()
{
    // Negative data, data that is exactly -1, and a cell without data.
    SliceRasterData data = raster(QwtInterval(0.0, 4.0), QwtInterval(0.0, 2.0), 2, {-3.5, -1.0, 2.0, -1.0},
                                  {true, true, true, false});
    SlicePlot plot;
    plot.setData(data);
    QTemporaryDir dir;
    QVERIFY(plot.exportSurfer(dir.filePath("n.dat")));
    QCOMPARE(contents(dir.filePath("n.dat")), QByteArray("0 0 -3.5\n0 1 2\n2 0 -1\n"));
    QCOMPARE(plot.axisScaleDiv(QwtPlot::xBottom).lowerBound(), -3.5);

    Preferences::instance()->setBilinearInterpolation(false);
    plot.setData(data);
    QCOMPARE(plot.valueAt(1.0, 0.5), -3.5);
    QCOMPARE(plot.valueAt(3.0, 0.5), -1.0);
    QCOMPARE(plot.valueAt(1.0, 1.5), 2.0);
    QVERIFY(std::isnan(plot.valueAt(3.0, 1.5)));
    QVERIFY(std::isnan(plot.valueAt(4.5, 0.5)));
    QVERIFY(std::isnan(plot.valueAt(1.0, -0.1)));
    // The cell without data is white, the -1 data cell is not.
    QCOMPARE(drawnColor(plot, 3.0, 1.5), QColor(Qt::white));
    QVERIFY(drawnColor(plot, 3.0, 0.5) != QColor(Qt::white));

    // A model of negative values, computed through a worker.
    std::unique_ptr<XaThread> source = SliceTestModels::flatModels(-100.0);
    XcThread worker;
    worker.setData(source.get(), QPolygonF({QPointF(0, 0), QPointF(3, 0), QPointF(3, 2), QPointF(0, 2)}), 1.0, 1.0);
    runToEnd(worker);
    plot.setData(worker.result());
    QVERIFY(plot.exportSurfer(dir.filePath("m.dat")));
    const QStringList written = lines(dir.filePath("m.dat"));
    QCOMPARE(written.size(), 6);
    QCOMPARE(written.first(), QString("0 0 ") + number(worker.result().values().at(0)));
    QVERIFY(near(written.first().split(' ').at(2).toDouble(), SliceTestModels::field(0, 0, 1) - 100.0, 1e-5));
    QVERIFY(near(plot.valueAt(0.5, 0.5), worker.result().values().at(0)));
}

void SlicePlotTest::pngExport()
{
    QTemporaryDir dir;
    SlicePlot plot;
    plot.resize(320, 240);
    plot.setData(twoByTwo());
    QVERIFY(plot.exportPng(dir.filePath("slice.png")));
    QImage image(dir.filePath("slice.png"));
    QCOMPARE(image.size(), QSize(320, 240));
    QCOMPARE(QImageReader(dir.filePath("slice.png")).format(), QByteArray("png"));
    // Red is the top of the scale: the 3.125 cell shows it somewhere.
    bool red = false;
    for (int y = 0; y < image.height() && !red; ++y)
        for (int x = 0; x < image.width() && !red; ++x)
            red = image.pixelColor(x, y) == QColor(Qt::red);
    QVERIFY(red);

    // No image suffix: PNG under the very name given.
    for (const QString name : {"slice", "slice.dat", "slice.PNG.txt"}) {
        QVERIFY(plot.exportPng(dir.filePath(name)));
        QCOMPARE(QImageReader(dir.filePath(name)).format(), QByteArray("png"));
    }
    // A known suffix picks its format.
    QVERIFY(plot.exportPng(dir.filePath("slice.bmp")));
    QCOMPARE(QImageReader(dir.filePath("slice.bmp")).format(), QByteArray("bmp"));
}

void SlicePlotTest::noDataStaysWhite()
{
    // 8 x 6 cells over x (0, 8), y (0, 6): a no-data left half, a no-data
    // hole at column 6, row 3, and data rising from 2 elsewhere.
    QVector<double> values;
    QVector<bool> mask;
    for (int j = 0; j < 6; ++j)
        for (int i = 0; i < 8; ++i) {
            const bool data = i >= 4 && !(i == 6 && j == 3);
            values.append(data ? 2.0 + 0.37 * i + 0.11 * j : -1.0);
            mask.append(data);
        }
    const SliceRasterData data = raster(QwtInterval(0.0, 8.0), QwtInterval(0.0, 6.0), 8, values, mask);

    QTemporaryDir dir;
    for (bool bilinear : {true, false}) {
        Preferences::instance()->setBilinearInterpolation(bilinear);
        SlicePlot plot;
        plot.resize(430, 330);
        plot.setGridVisible(false);
        plot.setData(data);
        plot.replot();
        const QString fileName = dir.filePath(QStringLiteral("nodata.png"));
        QVERIFY(plot.exportPng(fileName));
        const QImage image = QImage(fileName).convertToFormat(QImage::Format_RGB32);

        // Every pixel in a cell without data is white, and every pixel in a
        // cell with data is coloured, but for those within a tenth of a cell
        // of a border between the two.
        auto hasData = [&mask](double x, double y) {
            return x >= 0.0 && x < 8.0 && y >= 0.0 && y < 6.0 && mask.at(int(x) + 8 * int(y));
        };
        const QRect canvas = plot.canvas()->geometry().adjusted(2, 2, -2, -2);
        int noData = 0;
        int coloured = 0;
        for (int py = canvas.top(); py <= canvas.bottom(); ++py)
            for (int px = canvas.left(); px <= canvas.right(); ++px) {
                const double x = plot.invTransform(QwtPlot::xTop, px - plot.canvas()->x() + 0.5);
                const double y = plot.invTransform(QwtPlot::yLeft, py - plot.canvas()->y() + 0.5);
                if (x < 0.1 || x > 7.9 || y < 0.1 || y > 5.9)
                    continue;
                const bool own = hasData(x, y);
                bool border = false;
                for (double ox : {-0.1, 0.1})
                    for (double oy : {-0.1, 0.1})
                        border = border || hasData(x + ox, y + oy) != own;
                if (border)
                    continue;
                const QColor colour = image.pixelColor(px, py);
                QVERIFY2((colour == QColor(Qt::white)) != own,
                         qPrintable(QString("bilinear %1 at %2, %3: %4").arg(bilinear).arg(x).arg(y).arg(colour.name())));
                ++(own ? coloured : noData);
            }
        QVERIFY(noData > 10000);
        QVERIFY(coloured > 10000);
        // Beside no data the read-out is the cell's own value, not pulled
        // towards -1.
        QCOMPARE(plot.valueAt(4.2, 1.5), values.at(4 + 8 * 1));
    }
}

void SlicePlotTest::readOut()
{
    Preferences::instance()->setBilinearInterpolation(false);
    SlicePlot plot;
    plot.resize(420, 320);
    plot.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plot));
    plot.setData(twoByTwo());
    plot.replot();

    const Point3D a = mouseReadOut(plot, 2.5, 1.0);
    QVERIFY(std::fabs(a.x() - 2.5) < 0.1);
    QVERIFY(std::fabs(a.y() - 1.0) < 0.1);
    QCOMPARE(a.z(), 1.5);
    QCOMPARE(mouseReadOut(plot, 7.5, 1.0).z(), 2.25);
    QCOMPARE(mouseReadOut(plot, 2.5, 3.0).z(), 3.125);
    QVERIFY(std::isnan(mouseReadOut(plot, 7.5, 3.0).z()));

    // Bilinear: the centre of a cell holds the cell's value.
    Preferences::instance()->setBilinearInterpolation(true);
    plot.setData(twoByTwo());
    plot.replot();
    QCOMPARE(plot.valueAt(2.5, 1.0), 1.5);
    QVERIFY(std::isnan(plot.valueAt(7.5, 3.0)));

    // A raster of no width: the read-out has positions but no value.
    plot.setData(raster(QwtInterval(0.0, 0.0), QwtInterval(0.0, 4.0), 1, {1.0, 2.0}, {true, true}));
    plot.replot();
    const Point3D flat = mouseReadOut(plot, 0.0, 2.0);
    QVERIFY(std::isnan(flat.z()));
    QVERIFY(std::isfinite(flat.y()));
}

void SlicePlotTest::exportImageDialog()
{
    QTemporaryDir dir;
    SlicePlot plot;
    plot.resize(300, 200);
    plot.setData(twoByTwo());

    QString title;
    QStringList filters;
    int fileMode = -1;
    int acceptMode = -1;
    auto choose = [&](int filter, const QString& fileName) {
        TestSupport::onNextModal([&, filter, fileName](QWidget* widget) {
            auto* dialog = qobject_cast<QFileDialog*>(widget);
            if (!dialog)
                return;
            title = dialog->windowTitle();
            filters = dialog->nameFilters();
            fileMode = dialog->fileMode();
            acceptMode = dialog->acceptMode();
            dialog->selectNameFilter(dialog->nameFilters().value(filter));
            acceptFileName(dialog, fileName);
        });
    };

    choose(0, dir.filePath("chosen.dat"));
    plot.exportImage();
    QCOMPARE(title, QString("Export image"));
    QCOMPARE(filters, QStringList({"Surfer Data Files (*.dat)", "Portable Network Graphics (*.png)"}));
    QCOMPARE(fileMode, int(QFileDialog::AnyFile));
    QCOMPARE(acceptMode, int(QFileDialog::AcceptSave));
    QCOMPARE(contents(dir.filePath("chosen.dat")), QByteArray("0 0 1.5\n0 2 3.125\n5 0 2.25\n"));
    QVERIFY(QFile::exists(dir.filePath("chosen.bln")));

    // The second filter writes an image under the name as typed.
    choose(1, dir.filePath("picture"));
    plot.exportImage();
    QCOMPARE(QImageReader(dir.filePath("picture")).format(), QByteArray("png"));
    QVERIFY(!QFile::exists(dir.filePath("picture.png")));

    // Cancel writes nothing and says nothing.
    const QStringList before = QDir(dir.path()).entryList(QDir::Files);
    bool spoke = false;
    TestSupport::onNextModal([&](QWidget* widget) {
        auto* dialog = qobject_cast<QFileDialog*>(widget);
        if (!dialog)
            return;
        TestSupport::onNextModal(
            [&spoke](QWidget* next) {
                spoke = true;
                next->close();
            },
            300);
        dialog->selectFile(dir.filePath("cancelled.dat"));
        dialog->reject();
    });
    plot.exportImage();
    QTest::qWait(400);
    QVERIFY(!spoke);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), before);

    // A failure is reported with a warning, an empty title and Ok.
    QVERIFY(QDir(dir.path()).mkdir("blocked.bln"));
    QString text;
    QString boxTitle = "unset";
    int buttons = -1;
    int icon = -1;
    TestSupport::onNextModal([&](QWidget* widget) {
        auto* dialog = qobject_cast<QFileDialog*>(widget);
        if (!dialog)
            return;
        TestSupport::onNextModal([&](QWidget* next) {
            auto* box = qobject_cast<QMessageBox*>(next);
            if (!box)
                return;
            text = box->text();
            boxTitle = box->windowTitle();
            buttons = int(box->standardButtons());
            icon = int(box->icon());
            box->reject();
        });
        dialog->selectNameFilter(dialog->nameFilters().first());
        acceptFileName(dialog, dir.filePath("blocked.dat"));
    });
    plot.exportImage();
    QCOMPARE(text, QString("Can not export image"));
    QCOMPARE(boxTitle, QString());
    QCOMPARE(buttons, int(QMessageBox::Ok));
    QCOMPARE(icon, int(QMessageBox::Warning));
}

TUNDRACK_TEST(SlicePlotTest)
#include "sliceplottest.moc"
