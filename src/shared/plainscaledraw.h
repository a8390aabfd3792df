#pragma once

#include <qwt_scale_draw.h>

// Tick labels of a coordinate axis in plain notation. Where the plotting
// library's own labels (six significant digits) write every tick exactly,
// they are kept: 0, 20, 40 or 2.5. Otherwise, at seven-digit coordinates or
// at a million metres, every tick is written in fixed notation with as many
// decimals as its step needs (9999999.5, 10000000.0 instead of "1e+07" on
// every tick), with the desktop's decimal sign and no group separators.
class PlainScaleDraw : public QwtScaleDraw
{
public:
    QwtText label(double value) const override;
};
