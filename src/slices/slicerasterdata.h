#pragma once

#include <qwt_interval.h>

#include <QPointF>
#include <QVector>

// A computed slice: a row-major raster of values in slice coordinates with
// the outline of the area that holds data. A cell without data holds -1 in
// values and false in the mask; the mask tells such cells from data that
// happens to be -1 (it is not part of any file).
class SliceRasterData
{
public:
    SliceRasterData();

    QwtInterval xInterval() const { return m_xInterval; }
    void setXInterval(const QwtInterval& interval) { m_xInterval = interval; }
    QwtInterval yInterval() const { return m_yInterval; }
    void setYInterval(const QwtInterval& interval) { m_yInterval = interval; }
    const QVector<QPointF>& outline() const { return m_outline; }
    void setOutline(const QVector<QPointF>& outline) { m_outline = outline; }
    const QVector<double>& values() const { return m_values; }
    void setValues(const QVector<double>& values) { m_values = values; }
    int columns() const { return m_columns; }
    void setColumns(int columns) { m_columns = columns; }

    // One flag per value: true where the cell holds data.
    const QVector<bool>& mask() const { return m_mask; }
    void setMask(const QVector<bool>& mask) { m_mask = mask; }
    bool hasData(int index) const { return index >= 0 && index < m_mask.size() && m_mask.at(index); }
    // hasData() where the raster has a mask; a raster built without one
    // tells its no-data cells by their -1 alone.
    bool holdsData(int index) const
    {
        if (m_mask.size() == m_values.size())
            return hasData(index);
        return index >= 0 && index < m_values.size() && m_values.at(index) > noData;
    }

    // Set when the slice was refused because its raster would exceed
    // maximumCells; the raster is then the single no-data cell.
    bool isTooLarge() const { return m_tooLarge; }
    void setTooLarge(bool tooLarge) { m_tooLarge = tooLarge; }

    // The one-cell raster without data, with invalid intervals and no outline.
    void setNoData(bool tooLarge = false);

    // A count of cells along one side: x rounded half up, at least 1; NaN
    // when x is NaN or infinite.
    static double cellCount(double x);
    // A model value held to the interval; NaN becomes the minimum.
    static double clamped(double value, const QwtInterval& interval);

    static constexpr qint64 maximumCells = qint64(1) << 24;
    static constexpr double noData = -1.0;

private:
    QwtInterval m_xInterval;
    QwtInterval m_yInterval;
    QVector<QPointF> m_outline;
    QVector<double> m_values;
    int m_columns = 0;
    QVector<bool> m_mask;
    bool m_tooLarge = false;
};
