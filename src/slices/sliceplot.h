#pragma once

#include "slices/slicerasterdata.h"
#include "survey/point3d.h"

#include <qwt_plot.h>

class QMouseEvent;
class QwtPlotGrid;
class QwtPlotSpectrogram;

// Draws a computed slice as a coloured raster with a colour bar, reports
// the position and value under the mouse and exports the slice as Surfer
// XYZ text (with its blank outline) or as an image.
class SlicePlot : public QwtPlot
{
    Q_OBJECT

public:
    explicit SlicePlot(QWidget* parent = nullptr);

    void setData(const SliceRasterData& raster);
    const SliceRasterData& data() const { return m_data; }

    // The value drawn at (x, y) in slice coordinates; NaN where the raster
    // holds no data or has no area.
    double valueAt(double x, double y) const;

    // Both return false, and leave no file behind, when nothing was computed.
    bool exportSurfer(const QString& fileName);
    bool exportPng(const QString& fileName);

public slots:
    void setGridVisible(bool visible);
    void exportImage();

signals:
    void currentPoint(Point3D point);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QwtPlotGrid* m_grid = nullptr;
    QwtPlotSpectrogram* m_spectrogram = nullptr;
    const int m_xAxis = QwtPlot::xTop;
    const int m_yAxis = QwtPlot::yLeft;
    const int m_colorBarAxis = QwtPlot::xBottom;
    SliceRasterData m_data;
};
