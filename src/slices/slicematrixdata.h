#pragma once

#include <qwt_matrix_raster_data.h>

#include <QVector>

// The values a slice plot draws: a value matrix whose cells without data
// stay out of every resampled value. A point whose own cell holds no data
// gets the bottom of the Z interval, where the colour map is white; the
// bilinear mode blends only the neighbours that hold data, since blending
// the no-data value in tints the edges and, through rounding, the no-data
// area itself.
class SliceMatrixData : public QwtMatrixRasterData
{
public:
    // values row-major, row 0 at the low end of Y; mask one flag per value,
    // true where the cell holds data.
    void setMatrix(const QVector<double>& values, int columns, const QVector<bool>& mask);

    double value(double x, double y) const override;

private:
    bool hasData(int row, int column) const { return m_mask.at(row * numColumns() + column); }
    double cell(int row, int column) const { return m_values.at(row * numColumns() + column); }

    QVector<double> m_values;
    QVector<bool> m_mask;
};
