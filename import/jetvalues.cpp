#include "jetvalues.h"

#include <QDateTime>
#include <QLocale>
#include <array>
#include <charconv>
#include <cmath>

namespace jet {
namespace {

// Code page 1252 differs from Latin-1 only in 0x80-0x9F. The five bytes it
// leaves undefined keep their Latin-1 code points, as Windows itself does.
constexpr std::array<char16_t, 32> windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr qint64 msecsPerDay = 24 * 60 * 60 * 1000;
// Far beyond Jet's own range (years 100 to 9999), yet safe to count in.
constexpr double farthestDay = 10'000'000;

} // namespace

QString fromWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        text[i] = byte >= 0x80 && byte <= 0x9F ? QChar(windows1252High[byte - 0x80])
                                               : QChar(byte);
    }
    return text;
}

QString fromJet4Text(QByteArrayView bytes)
{
    QString text;
    const bool compressed = bytes.size() >= 2 && uchar(bytes[0]) == 0xFF && uchar(bytes[1]) == 0xFE;
    bool oneByte = compressed;
    for (qsizetype i = compressed ? 2 : 0; i < bytes.size();) {
        if (compressed && bytes[i] == 0) {
            oneByte = !oneByte;
            ++i;
        } else if (oneByte) {
            text += QChar(uchar(bytes[i++]));
        } else if (i + 1 < bytes.size()) {
            text += QChar(char16_t(uchar(bytes[i]) | uchar(bytes[i + 1]) << 8));
            i += 2;
        } else {
            break;
        }
    }
    return text;
}

bool hasUnpairedSurrogate(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            return true;
    }
    return false;
}

QVariant jetDecimal(QByteArrayView bytes, int scale)
{
    if (bytes.size() < 17 || scale < 0 || scale > 28)
        return {};
    // The number in decimal digits, least significant first, built up one
    // byte at a time from the most significant.
    QList<int> digits{0};
    for (int word = 0; word < 4; ++word) {
        for (int byte = 3; byte >= 0; --byte) {
            int carry = uchar(bytes[1 + word * 4 + byte]);
            for (int &digit : digits) {
                const int value = digit * 256 + carry;
                digit = value % 10;
                carry = value / 10;
            }
            for (; carry > 0; carry /= 10)
                digits << carry % 10;
        }
    }
    while (digits.size() <= scale)
        digits << 0;
    // Exactly its digits, in plain decimals as Access shows them: no zeros
    // after the last digit that counts, no sign on a zero.
    qsizetype last = 0;
    while (last < scale && digits[last] == 0)
        ++last;
    QString text;
    for (qsizetype i = digits.size() - 1; i >= last; --i) {
        if (i == scale - 1)
            text += QLatin1Char('.');
        text += QChar(u'0' + digits[i]);
    }
    if (bytes[0] != 0 && text != QLatin1String("0"))
        text.prepend(QLatin1Char('-'));
    return text;
}

QString plainDecimal(double value)
{
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

QVariant jetDateTime(double days)
{
    if (!std::isfinite(days) || std::abs(days) > farthestDay)
        return {};
    // The time of day counts forward from midnight even before 1899-12-30:
    // -1.25 is 29 December 1899, 06:00.
    const double wholeDays = std::trunc(days);
    QDate date = QDate(1899, 12, 30).addDays(static_cast<qint64>(wholeDays));
    qint64 msecs = std::llround(std::abs(days - wholeDays) * msecsPerDay);
    if (msecs == msecsPerDay) {
        date = date.addDays(1);
        msecs = 0;
    }
    if (!date.isValid())
        return {};
    if (msecs == 0)
        return date;
    // Kept in UTC only so that no daylight-saving gap can move the time.
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(static_cast<int>(msecs)), Qt::UTC);
}

double widenedSingle(float value)
{
    if (!std::isfinite(value))
        return value;
    char digits[32];
    const auto written = std::to_chars(digits, digits + sizeof digits, value);
    double widened = value;
    std::from_chars(digits, written.ptr, widened);
    return widened;
}

} // namespace jet
