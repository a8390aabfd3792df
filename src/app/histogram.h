#pragma once

#include <qwt_samples.h>

#include <QList>
#include <QVector>

// The share of a list of values in each of n equal intervals from the
// smallest value to the largest. Values that are not finite numbers are left
// out: the shares are of the others and add up to 100 %.
//
// When every value is the same there is no range to cut: the intervals are
// laid around the value instead, and it counts into the middle one (or, next
// to the largest double, into the one that still holds it).
//
// Every edge is a finite number, whatever finite values come in.
class Histogram
{
public:
    // Fewer than one interval counts as one.
    Histogram(const QList<double>& values, int intervals);

    // True when no value was a finite number; nothing is drawn then.
    bool isEmpty() const { return m_count == 0; }
    int count() const { return m_count; }

    // The range the intervals cover: from the smallest to the largest value.
    double lower() const { return m_lower; }
    double upper() const { return m_upper; }

    // Percent of the values in each interval, from the lowest up.
    const QVector<double>& percentages() const { return m_percentages; }

    // Each interval as two samples, at its left and its right edge, both
    // with the span [0, percentage]: drawn as a tube they make a bar. The
    // edges are multiplied by factor (see plotScale()).
    QVector<QwtIntervalSample> samples(double factor = 1.0) const;

    // 1, or 0.5 when the values spread wider than a double holds: a plot
    // cannot map a range whose width overflows, so it draws everything
    // times this factor and labels its ticks divided by it.
    double plotScale() const { return m_scale; }

private:
    int m_count = 0;
    double m_lower = 0.0;
    double m_upper = 0.0;
    // Edges are computed as (start + i * width) / scale.
    double m_start = 0.0;
    double m_width = 0.0;
    double m_scale = 1.0;
    QVector<double> m_percentages;
};
