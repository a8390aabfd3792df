#include "slices/sliceplot.h"

#include "shared/plainscaledraw.h"
#include "shared/plotcanvaslook.h"
#include "shared/preferences.h"
#include "slices/slicematrixdata.h"
#include "slices/surferexport.h"

#include <qwt_color_map.h>
#include <qwt_plot_canvas.h>
#include <qwt_plot_grid.h>
#include <qwt_plot_spectrogram.h>
#include <qwt_scale_widget.h>

#include <QFileDialog>
#include <QFileInfo>
#include <QImageWriter>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPixmap>

#include <cmath>
#include <limits>

namespace {

// White below the lowest value, then blue, green and red up to the highest.
// The blue stop sits just above 0 so that only the no-data end stays white.
QwtLinearColorMap* createColorMap(double bluePosition)
{
    auto* map = new QwtLinearColorMap(Qt::white, Qt::red, QwtColorMap::RGB);
    map->addColorStop(bluePosition, Qt::blue);
    map->addColorStop(0.5, Qt::green);
    return map;
}

// A raster without extent (nothing computed, or no samples in the value
// range) shows bare axes rather than a reversed scale.
QwtInterval shown(const QwtInterval& interval)
{
    return interval.isValid() ? interval : QwtInterval(0.0, 0.0);
}

} // namespace

SlicePlot::SlicePlot(QWidget* parent) : QwtPlot(parent)
{
    setMouseTracking(true);
    canvas()->setMouseTracking(true);
    setAutoReplot(true);

    PlotCanvasLook::apply(this);

    enableAxis(m_xAxis, true);
    setAxisAutoScale(m_xAxis, false);
    setAxisAutoScale(m_yAxis, false);
    // Plain labels that tell the ticks apart, also at seven-digit coordinates.
    for (int axis : {m_xAxis, m_yAxis})
        setAxisScaleDraw(axis, new PlainScaleDraw);

    QwtScaleWidget* colorBar = axisWidget(m_colorBarAxis);
    colorBar->setColorBarEnabled(true);
    colorBar->setColorBarWidth(16);

    m_grid = new QwtPlotGrid;
    m_grid->setAxes(m_xAxis, m_yAxis);
    m_grid->setMajorPen(QPen(Qt::lightGray));
    m_grid->setMinorPen(QPen(Qt::lightGray));
    m_grid->attach(this);

    m_spectrogram = new QwtPlotSpectrogram;
    m_spectrogram->setXAxis(m_xAxis);
    m_spectrogram->setColorMap(createColorMap(1e-200));
    m_spectrogram->attach(this);
}

void SlicePlot::setGridVisible(bool visible)
{
    m_grid->setVisible(visible);
}

void SlicePlot::setData(const SliceRasterData& raster)
{
    m_data = raster;

    // The no-data value takes part, so the scale reaches down to it.
    double smallest = 1e15;
    double largest = -1e15;
    for (double v : m_data.values()) {
        if (v < smallest)
            smallest = v;
        if (v > largest)
            largest = v;
    }
    if (m_data.values().isEmpty())
        smallest = largest = 0.0;
    const QwtInterval zInterval(smallest - 0.001, largest);

    // Cells without data are drawn at the bottom of the Z interval, where
    // the colour map is white, and not in the colour of low data.
    QVector<double> drawn = m_data.values();
    QVector<bool> mask(drawn.size(), true);
    for (int index = 0; index < drawn.size(); ++index)
        if (!m_data.holdsData(index)) {
            drawn[index] = zInterval.minValue();
            mask[index] = false;
        }

    auto* matrix = new SliceMatrixData;
    matrix->setResampleMode(Preferences::instance()->bilinearInterpolation() ? QwtMatrixRasterData::BilinearInterpolation
                                                                             : QwtMatrixRasterData::NearestNeighbour);
    // Qwt finds a cell by dividing by the cell size; a raster without area
    // gets no extent in the drawn data, so nothing is drawn or looked up.
    const int columns = m_data.columns();
    const int rows = columns > 0 ? m_data.values().size() / columns : 0;
    const bool hasArea = rows > 0 && m_data.xInterval().width() > 0.0 && m_data.yInterval().width() > 0.0;
    matrix->setInterval(Qt::XAxis, hasArea ? m_data.xInterval() : QwtInterval());
    matrix->setInterval(Qt::YAxis, hasArea ? m_data.yInterval() : QwtInterval());
    matrix->setInterval(Qt::ZAxis, zInterval);
    matrix->setMatrix(drawn, m_data.columns(), mask);
    m_spectrogram->setData(matrix);

    setAxisScale(m_colorBarAxis, smallest, largest);
    // With nothing to show the bar stays empty rather than one flat colour.
    axisWidget(m_colorBarAxis)->setColorMap(m_data.values().isEmpty() ? QwtInterval() : zInterval, createColorMap(1e-20));
    const QwtInterval xInterval = shown(m_data.xInterval());
    const QwtInterval yInterval = shown(m_data.yInterval());
    setAxisScale(m_xAxis, xInterval.minValue(), xInterval.maxValue());
    setAxisScale(m_yAxis, yInterval.minValue(), yInterval.maxValue());
}

double SlicePlot::valueAt(double x, double y) const
{
    const double none = std::numeric_limits<double>::quiet_NaN();
    const int columns = m_data.columns();
    if (columns <= 0)
        return none;
    const int rows = m_data.values().size() / columns;
    const QwtInterval xInterval = m_data.xInterval();
    const QwtInterval yInterval = m_data.yInterval();
    // A raster without area would make Qwt divide by a zero cell size.
    if (rows <= 0 || !(xInterval.width() > 0.0) || !(yInterval.width() > 0.0))
        return none;
    if (!xInterval.contains(x) || !yInterval.contains(y))
        return none;

    // The cell under the point, as the nearest-neighbour look-up finds it.
    const int column = qBound(0, int((x - xInterval.minValue()) / (xInterval.width() / columns)), columns - 1);
    const int row = qBound(0, int((y - yInterval.minValue()) / (yInterval.width() / rows)), rows - 1);
    if (!m_data.holdsData(column + row * columns))
        return none;
    const QwtRasterData* drawn = m_spectrogram->data();
    return drawn ? drawn->value(x, y) : none;
}

void SlicePlot::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->localPos().toPoint() - canvas()->pos();
    const double x = invTransform(m_xAxis, p.x());
    const double y = invTransform(m_yAxis, p.y());
    emit currentPoint(Point3D(x, y, valueAt(x, y)));
    QwtPlot::mouseMoveEvent(event);
}

void SlicePlot::exportImage()
{
    const QStringList filters = {tr("Surfer Data Files") + QStringLiteral(" (*.dat)"),
                                 tr("Portable Network Graphics") + QStringLiteral(" (*.png)")};
    QFileDialog dialog(this);
    dialog.setNameFilters(filters);
    dialog.setWindowTitle(tr("Export image"));
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty())
        return;

    const QString file = files.first();
    const QString filter = dialog.selectedNameFilter();
    bool exported = false;
    if (filter == filters.at(0))
        exported = exportSurfer(file);
    else if (filter == filters.at(1))
        exported = exportPng(file);
    if (!exported)
        QMessageBox::warning(this, QString(), tr("Can not export image"), QMessageBox::Ok);
}

bool SlicePlot::exportSurfer(const QString& fileName)
{
    return SurferExport::write(m_data, fileName, Preferences::instance()->createSurferBlankFiles());
}

bool SlicePlot::exportPng(const QString& fileName)
{
    if (m_data.columns() <= 0 || m_data.values().isEmpty())
        return false;
    QPixmap pixmap(size());
    render(&pixmap, QPoint(0, 0), QRegion(rect()), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    // A name without a known image suffix would leave Qt no format to pick.
    const QByteArray suffix = QFileInfo(fileName).suffix().toLower().toLatin1();
    if (!suffix.isEmpty() && QImageWriter::supportedImageFormats().contains(suffix))
        return pixmap.save(fileName);
    return pixmap.save(fileName, "PNG");
}
