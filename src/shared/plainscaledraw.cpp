#include "shared/plainscaledraw.h"

#include <qwt_text.h>

#include <QLocale>

#include <cmath>

namespace {

// The significant digits of the library's labels.
constexpr int libraryDigits = 6;
constexpr int mostDecimals = 12;

// The smallest distance between neighbouring ticks; the scale's width when
// there is only one tick.
double stepOf(const QList<double>& ticks, const QwtScaleDiv& scale)
{
    double step = 0.0;
    for (int i = 1; i < ticks.size(); ++i) {
        const double gap = std::abs(ticks.at(i) - ticks.at(i - 1));
        if (gap > 0.0 && (step == 0.0 || gap < step))
            step = gap;
    }
    return step > 0.0 ? step : std::abs(scale.range());
}

bool libraryWritesExactly(const QList<double>& ticks, double tolerance)
{
    for (double tick : ticks) {
        const QString written = QString::number(tick, 'g', libraryDigits);
        if (written.contains(QLatin1Char('e')) || std::abs(written.toDouble() - tick) > tolerance)
            return false;
    }
    return true;
}

int decimalsFor(const QList<double>& ticks, double tolerance)
{
    for (int decimals = 0; decimals < mostDecimals; ++decimals) {
        const double scale = std::pow(10.0, decimals);
        bool exact = true;
        for (double tick : ticks)
            exact = exact && std::abs(std::round(tick * scale) / scale - tick) <= tolerance;
        if (exact)
            return decimals;
    }
    return mostDecimals;
}

} // namespace

QwtText PlainScaleDraw::label(double value) const
{
    const QList<double> ticks = scaleDiv().ticks(QwtScaleDiv::MajorTick);
    const double step = stepOf(ticks, scaleDiv());
    // Ticks lie on multiples of the step, give or take the rounding of doubles.
    const double tolerance = step > 0.0 ? step * 1e-3 : 0.0;
    if (ticks.isEmpty() || libraryWritesExactly(ticks, tolerance))
        return QwtScaleDraw::label(value);
    // Without group separators, as the cursor read-outs write coordinates.
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', decimalsFor(ticks, tolerance));
}
