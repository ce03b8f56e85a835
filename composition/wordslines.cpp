#include "wordslines.h"

#include <cmath>

QStringList amountInWordsLines(const QString &words, float firstLineWidth)
{
    const double fitting = double(firstLineWidth) * 3.3;
    // Asked this way round, a width that is no number at all keeps one line.
    if (!(words.size() > fitting))
        return {words};
    // Half goes to the even neighbour: the default floating-point rounding.
    const double firstLineLength = std::nearbyint(fitting);
    if (firstLineLength < 1)
        return {words};
    qsizetype length = qsizetype(firstLineLength);
    const qsizetype blank = words.lastIndexOf(QLatin1Char(' '), length - 1);
    if (blank >= 0)
        return {words.left(blank + 1), words.mid(blank)};
    if (length < words.size() && words[length - 1].isHighSurrogate()
        && words[length].isLowSurrogate())
        ++length;
    if (length >= words.size())
        return {words};
    return {words.left(length), words.mid(length)};
}

QStringList wordsLinesByWidth(const QString &words, double firstLineWidth,
                              const std::function<double(const QString &)> &width)
{
    const QStringList all = words.split(u' ', Qt::SkipEmptyParts);
    qsizetype fitting = 0;
    while (fitting < all.size() && width(all.first(fitting + 1).join(u' ')) <= firstLineWidth)
        ++fitting;
    if (fitting == all.size())
        return {all.join(u' ')};
    return {all.first(fitting).join(u' '), all.sliced(fitting).join(u' ')};
}
