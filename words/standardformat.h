#pragma once

#include <QStringView>
#include <array>

// An amount written in the "Standard" number format: an optional "-", at
// least one digit, "," between groups of three whole digits, then "." and
// two decimals (1234.5 gives 1,234.50). The exact binary value of the
// amount is rounded to cents with exact halves going away from zero: 0.125
// gives 0.13, while 1.005, really 1.00499999..., gives 1.00. An amount that
// rounds to zero carries no "-".
//
// Holds its text itself, so writing an amount allocates nothing. The amount
// must be finite.
class StandardFormat
{
public:
    explicit StandardFormat(double amount);

    QStringView text() const { return QStringView(m_chars.data(), m_size); }

private:
    // "-", 309 digits of the largest double, 102 commas, "." and 2 decimals.
    std::array<char16_t, 416> m_chars;
    qsizetype m_size = 0;
};
