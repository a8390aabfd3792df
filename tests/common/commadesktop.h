#pragma once

#include <QLocale>

// Gives the widgets a desktop whose locale writes a decimal comma, and puts
// the previous locale back afterwards.
class CommaDesktop
{
public:
    CommaDesktop() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    ~CommaDesktop() { QLocale::setDefault(m_previous); }
    CommaDesktop(const CommaDesktop&) = delete;
    CommaDesktop& operator=(const CommaDesktop&) = delete;

private:
    QLocale m_previous;
};
