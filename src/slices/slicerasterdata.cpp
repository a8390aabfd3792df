#include "slices/slicerasterdata.h"

#include <cmath>

SliceRasterData::SliceRasterData() : m_xInterval(0.0, -1.0), m_yInterval(0.0, -1.0)
{
}

void SliceRasterData::setNoData(bool tooLarge)
{
    m_xInterval = QwtInterval(0.0, -1.0);
    m_yInterval = QwtInterval(0.0, -1.0);
    m_outline.clear();
    m_values = QVector<double>(1, noData);
    m_mask = QVector<bool>(1, false);
    m_columns = 1;
    m_tooLarge = tooLarge;
}

double SliceRasterData::cellCount(double x)
{
    if (!std::isfinite(x))
        return std::nan("");
    const double count = x >= 0.0 ? std::trunc(x + 0.5) : 0.0;
    return count < 1.0 ? 1.0 : count;
}

double SliceRasterData::clamped(double value, const QwtInterval& interval)
{
    if (value > interval.maxValue())
        return interval.maxValue();
    if (!(value > interval.minValue()))
        return interval.minValue();
    return value;
}
