#pragma once

#include <QByteArray>

// Numbers as text exactly as Qt writes them, only faster: an export of a
// season's survey formats tens of millions of them. The standard library's
// correctly rounded conversion agrees with Qt's except that Qt rounds an
// exact tie away from zero and never writes a negative zero, so those cases,
// and the non-finite ones, are left to Qt itself.
class NumberText
{
public:
    // As a QTextStream writes a double by default: six significant digits,
    // fixed or exponent notation as %g chooses, trailing zeros dropped.
    static void appendGeneral(QByteArray& out, double value);
    // As QString::arg(value, 0, 'f', decimals) writes it.
    static void appendFixed(QByteArray& out, double value, int decimals);
    static void appendInt(QByteArray& out, int value);
};
