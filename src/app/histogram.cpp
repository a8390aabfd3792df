#include "app/histogram.h"

#include <QtGlobal>

#include <cmath>
#include <limits>

namespace {

constexpr double largest = std::numeric_limits<double>::max();

} // namespace

Histogram::Histogram(const QList<double>& values, int intervals)
{
    const int n = qMax(1, intervals);
    double min = 0.0;
    double max = 0.0;
    for (double v : values) {
        if (!std::isfinite(v))
            continue;
        if (m_count == 0) {
            min = v;
            max = v;
        } else {
            min = qMin(min, v);
            max = qMax(max, v);
        }
        ++m_count;
    }
    if (m_count == 0)
        return;

    // Values of both signs near the largest double spread further than a
    // double holds; halved, every difference and edge stays finite.
    m_scale = std::isfinite(max - min) ? 1.0 : 0.5;
    m_start = min * m_scale;
    m_width = (max * m_scale - m_start) / n;
    m_lower = min;
    m_upper = max;

    QVector<int> counters(n, 0);
    if (m_width > 0.0) {
        for (double v : values) {
            if (!std::isfinite(v))
                continue;
            // The largest value, and rounding at the upper end, would land
            // one past the last interval.
            const double position = qBound(0.0, (v * m_scale - m_start) / m_width, double(n - 1));
            ++counters[int(position)];
        }
    } else {
        // One value (or many equal ones): the intervals together span a
        // tenth of the value, at least 1, with the middle one centred on it.
        // Next to the largest double they are pushed back inside the range.
        const int middle = n / 2;
        m_scale = 1.0;
        m_width = qMax(1.0, std::abs(min) / 10.0) / n;
        m_start = qMax(min - (middle + 0.5) * m_width, -largest);
        if (!(m_start + n * m_width <= largest))
            m_start = largest - n * m_width;
        m_lower = m_start;
        m_upper = qMin(m_start + n * m_width, largest);
        const double position = qBound(0.0, (min - m_start) / m_width, double(n - 1));
        counters[int(position)] = m_count;
    }

    m_percentages.reserve(n);
    for (int counter : counters)
        m_percentages.append(counter * 100.0 / m_count);
}

QVector<QwtIntervalSample> Histogram::samples(double factor) const
{
    // Rounding in the sum may step an outermost edge past the largest
    // double; the bound keeps it on it.
    const auto edge = [this, factor](double scaled) {
        return qBound(-largest, scaled / m_scale, largest) * factor;
    };
    QVector<QwtIntervalSample> result;
    result.reserve(2 * m_percentages.size());
    for (int i = 0; i < m_percentages.size(); ++i) {
        const double left = i * m_width + m_start;
        const double right = m_width + left;
        const QwtInterval bar(0.0, m_percentages.at(i));
        result.append(QwtIntervalSample(edge(left), bar));
        result.append(QwtIntervalSample(edge(right), bar));
    }
    return result;
}
