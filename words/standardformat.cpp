#include "standardformat.h"

#include <charconv>
#include <cmath>

namespace {

// The amounts lying exactly on half a cent are the odd eighths (x.125,
// x.375, x.625, x.875): no other half cent has a binary value.
bool isExactHalfCent(double magnitude)
{
    const double eighths = magnitude * 8;
    return eighths == std::floor(eighths) && std::fmod(eighths, 2.0) == 1.0;
}

} // namespace

StandardFormat::StandardFormat(double amount)
{
    // std::to_chars rounds the exact value correctly but sends exact halves
    // to the even cent. A half is written with its three decimals instead
    // (exactly, as x.125, x.375, x.625 or x.875) and its last kept digit
    // raised by one, which never carries.
    const double magnitude = std::fabs(amount);
    const bool half = isExactHalfCent(magnitude);
    std::array<char, 320> digits;
    char *end = std::to_chars(digits.data(), digits.data() + digits.size(), magnitude,
                              std::chars_format::fixed, half ? 3 : 2).ptr;
    if (half) {
        --end;
        ++end[-1];
    }
    const qsizetype wholeDigits = end - digits.data() - 3;

    bool zero = true;
    for (const char *c = digits.data(); c != end; ++c)
        zero = zero && (*c == '0' || *c == '.');
    if (amount < 0 && !zero)
        m_chars[m_size++] = u'-';
    for (qsizetype i = 0; i < wholeDigits; ++i) {
        if (i > 0 && (wholeDigits - i) % 3 == 0)
            m_chars[m_size++] = u',';
        m_chars[m_size++] = char16_t(digits[i]);
    }
    for (const char *c = digits.data() + wholeDigits; c != end; ++c)
        m_chars[m_size++] = char16_t(*c);
}
