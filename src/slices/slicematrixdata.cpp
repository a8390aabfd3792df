#include "slices/slicematrixdata.h"

#include <QtGlobal>

void SliceMatrixData::setMatrix(const QVector<double>& values, int columns, const QVector<bool>& mask)
{
    setValueMatrix(values, columns);
    m_values = values;
    m_mask = mask;
}

double SliceMatrixData::value(double x, double y) const
{
    const QwtInterval xInterval = interval(Qt::XAxis);
    const QwtInterval yInterval = interval(Qt::YAxis);
    const int columns = numColumns();
    const int rows = numRows();
    if (!xInterval.contains(x) || !yInterval.contains(y) || columns <= 0 || rows <= 0
        || m_mask.size() != m_values.size() || m_values.size() != columns * rows)
        return QwtMatrixRasterData::value(x, y);
    const double dx = xInterval.width() / columns;
    const double dy = yInterval.width() / rows;

    // The point's own cell, found as the nearest-neighbour mode finds it.
    const int column = qMin(int((x - xInterval.minValue()) / dx), columns - 1);
    const int row = qMin(int((y - yInterval.minValue()) / dy), rows - 1);
    if (!hasData(row, column))
        return interval(Qt::ZAxis).minValue();
    if (resampleMode() != BilinearInterpolation)
        return QwtMatrixRasterData::value(x, y);

    // The four neighbouring cell centres, clamped at the borders, the same
    // as the library takes them.
    int column1 = qRound((x - xInterval.minValue()) / dx) - 1;
    int row1 = qRound((y - yInterval.minValue()) / dy) - 1;
    int column2 = column1 + 1;
    int row2 = row1 + 1;
    if (column1 < 0)
        column1 = column2;
    else if (column2 >= columns)
        column2 = column1;
    if (row1 < 0)
        row1 = row2;
    else if (row2 >= rows)
        row2 = row1;
    if (hasData(row1, column1) && hasData(row1, column2) && hasData(row2, column1) && hasData(row2, column2))
        return QwtMatrixRasterData::value(x, y);

    // Near no data: the weighted mean of the neighbours that hold data.
    const double rx = qBound(0.0, (xInterval.minValue() + (column2 + 0.5) * dx - x) / dx, 1.0);
    const double ry = qBound(0.0, (yInterval.minValue() + (row2 + 0.5) * dy - y) / dy, 1.0);
    const struct
    {
        int row;
        int column;
        double weight;
    } neighbours[] = {{row1, column1, rx * ry},
                      {row1, column2, (1.0 - rx) * ry},
                      {row2, column1, rx * (1.0 - ry)},
                      {row2, column2, (1.0 - rx) * (1.0 - ry)}};
    double sum = 0.0;
    double weights = 0.0;
    for (const auto& n : neighbours) {
        if (hasData(n.row, n.column)) {
            sum += n.weight * cell(n.row, n.column);
            weights += n.weight;
        }
    }
    // The own cell always weighs at least a quarter; this guards rounding.
    return weights > 0.0 ? sum / weights : cell(row, column);
}
