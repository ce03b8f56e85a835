#pragma once

#include <QString>
#include <QStringView>
#include <compare>
#include <optional>

// An amount of money in whole hundredths of its currency's unit. Amounts
// are read from text and written as text exactly: no amount ever passes
// through floating point, so totals, journals and files agree to the cent.
class Money
{
public:
    // At most fifteen whole digits, so every sum of a register fits.
    static constexpr qint64 maxCents = 99'999'999'999'999'999;

    constexpr Money() = default;
    static constexpr Money fromCents(qint64 cents) { return Money(cents); }

    // Reads plain figures as people write them: an optional "-", digits,
    // at most two decimals after ".", and optionally commas between groups
    // of digits, either every three ("1,234,567.50") or Indian-style
    // ("12,34,567.50"). Anything else, even a blank, gives nullopt: an
    // amount that cannot be read exactly is never guessed.
    static std::optional<Money> parse(QStringView text);

    qint64 cents() const { return m_cents; }
    bool isZero() const { return m_cents == 0; }

    // "1234.50", "-0.05": what files and journals hold.
    QString toPlain() const;
    // "1,234,567.50": thousands, millions, billions.
    QString toGrouped() const;
    // "12,34,567.50": thousands, lakhs, crores.
    QString toIndianGrouped() const;
    // "123450", "-5": the amount in hundredths without a point.
    QString toImpliedCents() const { return QString::number(m_cents); }

    // The sum, or nullopt past maxCents either way.
    std::optional<Money> plus(Money other) const;

    friend constexpr auto operator<=>(Money, Money) = default;

private:
    constexpr explicit Money(qint64 cents) : m_cents(cents) {}
    QString withSeparators(bool indian) const;

    qint64 m_cents = 0;
};
