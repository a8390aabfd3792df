#include "app/numbertext.h"

#include <QString>
#include <QTextStream>

#include <charconv>
#include <cmath>
#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// Qt writes no sign for a zero, and "nan", "inf" and "-inf" in every notation.
bool appendSpecial(QByteArray& out, double value, int decimals)
{
    if (value == 0.0) {
        out += '0';
        if (decimals > 0) {
            out += '.';
            out.append(decimals, '0');
        }
        return true;
    }
    if (std::isnan(value)) {
        out += "nan";
        return true;
    }
    if (std::isinf(value)) {
        out += value < 0 ? "-inf" : "inf";
        return true;
    }
    return false;
}

// Whether value lies exactly halfway between two numbers of the given
// count of decimals (a negative count rounds to tens, hundreds, ...): only
// there do Qt's rounding and the standard library's differ.
bool isTie(double value, int decimals)
{
    value = std::fabs(value);
    if (decimals >= 0) {
        // Halfway at 10^-(decimals + 1) * 5 means value = odd / 2^(decimals + 1).
        const double scaled = std::ldexp(value, decimals + 1);
        return scaled < 9007199254740992.0 && scaled == std::floor(scaled) && std::fmod(scaled, 2.0) == 1.0;
    }
    static const double powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const int step = -decimals;
    if (step > 22)
        return true; // beyond exact powers of ten: let Qt decide
    return std::fmod(value, powers[step]) == 5.0 * powers[step - 1];
}

void appendAsStream(QByteArray& out, double value)
{
    QString text;
    QTextStream stream(&text);
    stream << value;
    stream.flush();
    out += text.toLatin1();
}

} // namespace

void NumberText::appendGeneral(QByteArray& out, double value)
{
    if (appendSpecial(out, value, 0))
        return;
    // Six significant digits "d.ddddde+XX", laid out below as %g does.
    char buffer[40];
    const std::to_chars_result result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 5);
    if (result.ec != std::errc()) {
        appendAsStream(out, value);
        return;
    }
    *result.ptr = '\0';
    const bool negative = value < 0;
    const char* mantissa = buffer + (negative ? 1 : 0);
    const int exponent = std::atoi(mantissa + 8);
    // Where rounding carried into a new leading digit (9.999995 to 10), the
    // halfway point lay one power of ten lower.
    const bool carried = std::memcmp(mantissa, "1.00000", 7) == 0;
    if (isTie(value, 5 - exponent) || (carried && isTie(value, 6 - exponent))) {
        appendAsStream(out, value);
        return;
    }

    char digits[6] = {mantissa[0], mantissa[2], mantissa[3], mantissa[4], mantissa[5], mantissa[6]};
    int count = 6;
    while (count > 1 && digits[count - 1] == '0')
        --count;
    if (negative)
        out += '-';
    if (exponent < -4 || exponent >= 6) {
        out += digits[0];
        if (count > 1) {
            out += '.';
            out.append(digits + 1, count - 1);
        }
        out += exponent < 0 ? "e-" : "e+";
        const int magnitude = std::abs(exponent);
        if (magnitude < 10)
            out += '0';
        NumberText::appendInt(out, magnitude);
    } else if (exponent >= 0) {
        const int whole = exponent + 1;
        out.append(digits, std::min(count, whole));
        if (count < whole)
            out.append(whole - count, '0');
        if (count > whole) {
            out += '.';
            out.append(digits + whole, count - whole);
        }
    } else {
        out += "0.";
        out.append(-exponent - 1, '0');
        out.append(digits, count);
    }
}

void NumberText::appendFixed(QByteArray& out, double value, int decimals)
{
    // Beyond 1e15 the digits would not fit the buffer; such values are no
    // survey's and may take the slow road.
    if (decimals >= 0 && decimals <= 16 && appendSpecial(out, value, decimals))
        return;
    if (std::fabs(value) >= 1e15 || decimals < 0 || decimals > 16) {
        out += QString("%1").arg(value, 0, 'f', decimals).toLatin1();
        return;
    }
    char buffer[48];
    const std::to_chars_result longer =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals + 1);
    if (longer.ec != std::errc() || (longer.ptr[-1] == '5' && isTie(value, decimals))) {
        out += QString("%1").arg(value, 0, 'f', decimals).toLatin1();
        return;
    }
    const std::to_chars_result result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    out.append(buffer, int(result.ptr - buffer));
}

void NumberText::appendInt(QByteArray& out, int value)
{
    char buffer[16];
    const std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, int(result.ptr - buffer));
}
