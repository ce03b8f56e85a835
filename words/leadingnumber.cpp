#include "leadingnumber.h"

#include <QVarLengthArray>
#include <charconv>
#include <limits>

namespace {

bool isSkipped(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The characters of the number, blanks removed, in the plain form
// std::from_chars reads ("-12.5e3"), and the rough power of ten of its
// value, used only to tell overflow from underflow.
struct NumberText {
    QVarLengthArray<char, 64> chars;
    bool negative = false;
    bool hasDigits = false;
    long long magnitude = 0;
};

// Appends the exponent ("e", sign, digits) when the text holds a complete
// one at position i; an "E" without digits ends the number before it.
void takeExponent(const QString &text, qsizetype i, NumberText &number)
{
    const qsizetype n = text.size();
    auto skip = [&] { while (i < n && isSkipped(text[i])) ++i; };
    ++i; // the E or D
    skip();
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
        skip();
    }
    if (i >= n || !isDigit(text[i]))
        return;
    number.chars.append('e');
    if (negative)
        number.chars.append('-');
    long long exponent = 0;
    for (; i < n; ++i) {
        if (isSkipped(text[i]))
            continue;
        if (!isDigit(text[i]))
            break;
        number.chars.append(char(text[i].unicode()));
        // Far beyond any double already; stop growing so nothing overflows.
        if (exponent < 1'000'000)
            exponent = exponent * 10 + (text[i].unicode() - u'0');
    }
    number.magnitude += negative ? -exponent : exponent;
}

NumberText scan(const QString &text)
{
    NumberText number;
    const qsizetype n = text.size();
    qsizetype i = 0;
    auto skip = [&] { while (i < n && isSkipped(text[i])) ++i; };
    skip();
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        number.negative = text[i] == u'-';
        ++i;
    }
    if (number.negative)
        number.chars.append('-');
    bool seenPeriod = false;
    bool seenNonZero = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (isSkipped(c))
            continue;
        if (c == u'.' && !seenPeriod) {
            seenPeriod = true;
            number.chars.append('.');
        } else if (isDigit(c)) {
            number.hasDigits = true;
            number.chars.append(char(c.unicode()));
            seenNonZero = seenNonZero || c != u'0';
            if (seenNonZero && !seenPeriod)
                ++number.magnitude;
            else if (!seenNonZero && seenPeriod)
                --number.magnitude;
        } else {
            break;
        }
    }
    const bool exponentMark = i < n && (text[i] == u'E' || text[i] == u'e'
                                        || text[i] == u'D' || text[i] == u'd');
    if (number.hasDigits && exponentMark)
        takeExponent(text, i, number);
    return number;
}

} // namespace

double readLeadingNumber(const QString &text)
{
    const NumberText number = scan(text);
    if (!number.hasDigits)
        return 0;
    double value = 0;
    const char *first = number.chars.constData();
    const auto result = std::from_chars(first, first + number.chars.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        const double limit = number.magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        return number.negative ? -limit : limit;
    }
    return value;
}
