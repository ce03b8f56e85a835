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
    const auto fits = [&](qsizetype count) {
        return count == 0 || width(all.first(count).join(u' ')) <= firstLineWidth;
    };
    // The words' own widths, which repeat from cheque to cheque, tell
    // where line 1 ends; whole lines are then measured from there, as a
    // face may kern across a blank.
    const double blank = width(QStringLiteral(" "));
    qsizetype fitting = 0;
    for (double reach = 0; fitting < all.size(); ++fitting) {
        reach += (fitting > 0 ? blank : 0) + width(all[fitting]);
        if (reach > firstLineWidth)
            break;
    }
    while (!fits(fitting))
        --fitting;
    while (fitting < all.size() && fits(fitting + 1))
        ++fitting;
    if (fitting == all.size())
        return {all.join(u' ')};
    return {all.first(fitting).join(u' '), all.sliced(fitting).join(u' ')};
}
