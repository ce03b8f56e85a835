#include "money.h"

#include <QList>

#include <cstdlib>

namespace {

constexpr int maxWholeDigits = 15;

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Whether the comma-separated groups of a whole part are grouped in
// threes, or Indian-style (the last group three, the others two); the
// first group may be shorter.
bool groupsAreRegular(const QList<QStringView> &groups)
{
    if (groups.size() == 1)
        return true;
    const auto allOf = [&](qsizetype width, qsizetype upTo) {
        for (qsizetype i = 1; i < upTo; ++i)
            if (groups[i].size() != width)
                return false;
        return true;
    };
    const qsizetype last = groups.size() - 1;
    const qsizetype first = groups.front().size();
    if (groups[last].size() != 3 || first == 0)
        return false;
    return (first <= 3 && allOf(3, last)) || (first <= 2 && allOf(2, last));
}

} // namespace

std::optional<Money> Money::parse(QStringView text)
{
    const bool negative = text.startsWith(QLatin1Char('-'));
    if (negative)
        text = text.mid(1);
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    const QStringView whole = point < 0 ? text : text.left(point);
    const QStringView decimals = point < 0 ? QStringView() : text.mid(point + 1);
    if (decimals.size() > 2 || (whole.isEmpty() && decimals.isEmpty()))
        return std::nullopt;

    const QList<QStringView> groups = whole.split(QLatin1Char(','));
    if (!groupsAreRegular(groups))
        return std::nullopt;
    qint64 units = 0;
    int digits = 0;
    for (QStringView group : groups)
        for (QChar c : group) {
            if (!isDigit(c) || ++digits > maxWholeDigits)
                return std::nullopt;
            units = units * 10 + (c.unicode() - '0');
        }
    qint64 hundredths = 0;
    for (int i = 0; i < 2; ++i) {
        const QChar c = i < decimals.size() ? decimals[i] : QLatin1Char('0');
        if (!isDigit(c))
            return std::nullopt;
        hundredths = hundredths * 10 + (c.unicode() - '0');
    }
    const qint64 cents = units * 100 + hundredths;
    return Money(negative ? -cents : cents);
}

QString Money::toPlain() const
{
    const qint64 magnitude = std::llabs(m_cents);
    return QStringLiteral("%1%2.%3")
        .arg(m_cents < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 100)
        .arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

QString Money::withSeparators(bool indian) const
{
    QString plain = toPlain();
    const qsizetype wholeStart = m_cents < 0 ? 1 : 0;
    qsizetype end = plain.size() - 3;  // before ".nn"
    qsizetype group = 3;
    while (end - wholeStart > group) {
        end -= group;
        plain.insert(end, QLatin1Char(','));
        if (indian)
            group = 2;
    }
    return plain;
}

QString Money::toGrouped() const
{
    return withSeparators(false);
}

QString Money::toIndianGrouped() const
{
    return withSeparators(true);
}

std::optional<Money> Money::plus(Money other) const
{
    const qint64 sum = m_cents + other.m_cents;  // cannot overflow: both within maxCents
    if (sum > maxCents || sum < -maxCents)
        return std::nullopt;
    return Money(sum);
}
