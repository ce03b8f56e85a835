// International numbering: the amount written with group separators is cut
// at "." and "," into groups of up to three digits, each worded alike.
#include "Module1.h"
#include "messages.h"
#include "standardformat.h"
#include "wordbuffer.h"

#include <cmath>

namespace {

// The words being built and, standing in for the routines' own error
// handling, the description of the first error met. Once an error is
// pending the words are thrown away.
struct Words {
    WordBuffer text;
    QString error;

    void fail(const QString &description)
    {
        if (error.isEmpty())
            error = description;
    }
};

const QString overflow = QStringLiteral("Overflow");
const QString typeMismatch = QStringLiteral("Type mismatch");

// Text positions are kept in a byte.
constexpr qsizetype largestPosition = 255;

// Reads a group text as a signed 16-bit number: digits, leading zeros
// allowed, optionally after a "-".
qint16 readInt16(QStringView s, Words &words)
{
    const bool negative = s.startsWith(u'-');
    const QStringView digits = s.sliced(negative ? 1 : 0);
    if (digits.isEmpty()) {
        words.fail(typeMismatch);
        return 0;
    }
    int value = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9') {
            words.fail(typeMismatch);
            return 0;
        }
        value = value * 10 + (c.unicode() - u'0');
        if (value > 32768) {
            words.fail(overflow);
            return 0;
        }
    }
    if (negative)
        value = -value;
    if (value > 32767) {
        words.fail(overflow);
        return 0;
    }
    return qint16(value);
}

void appendOnesOf(WordBuffer &out, int n)
{
    static constexpr QStringView digitWords[] = {
        u"", u"One ", u"Two ", u"Three ", u"Four ", u"Five ", u"Six ", u"Seven ", u"Eight ",
        u"Nine "};
    if (n >= 1 && n <= 9)
        out += digitWords[n];
}

void appendTeen(WordBuffer &out, int n)
{
    static constexpr QStringView teenWords[] = {
        u"Ten ", u"Eleven ", u"Twelve ", u"Thirteen ", u"Fourteen ", u"Fifteen ", u"Sixteen ",
        u"Seventeen ", u"Eighteen ", u"Nineteen "};
    out += teenWords[n - 10];
}

// 20, 30, ... 90; any other value has no word.
void appendTensWord(WordBuffer &out, int tensValue)
{
    static constexpr QStringView tensWords[] = {
        u"", u"", u"Twenty ", u"Thirty ", u"Forty ", u"Fifty ", u"Sixty ", u"Seventy ",
        u"Eighty ", u"Ninety "};
    if (tensValue >= 20 && tensValue <= 90 && tensValue % 10 == 0)
        out += tensWords[tensValue / 10];
}

void appendOnes(Words &words, QStringView v)
{
    appendOnesOf(words.text, readInt16(v, words));
}

void appendTens(Words &words, QStringView s)
{
    const int n = readInt16(s, words);
    if (n < 10) {
        appendOnesOf(words.text, n);
    } else if (n <= 19) {
        appendTeen(words.text, n);
    } else {
        // The tens value is the first character followed by "0", so a
        // leading zero ("045") gives no tens word.
        appendTensWord(words.text, (s.front().unicode() - u'0') * 10);
        appendOnes(words, s.right(1));
    }
}

// The words of a number below 100 as it is written without leading zeros.
void appendTensOf(WordBuffer &out, int n)
{
    if (n < 10) {
        appendOnesOf(out, n);
    } else if (n <= 19) {
        appendTeen(out, n);
    } else {
        appendTensWord(out, n / 10 * 10);
        appendOnesOf(out, n % 10);
    }
}

void appendHundreds(Words &words, QStringView s)
{
    const int n = readInt16(s, words);
    if (n < 100) {
        appendTensOf(words.text, n);
        return;
    }
    appendOnes(words, s.left(1));
    words.text += u"Hundred ";
    appendTens(words, s.right(2));
}

// A middle group that is zero is skipped together with its group word.
void appendGroupIfAny(Words &words, QStringView s, QStringView groupWord)
{
    const qsizetype before = words.text.size();
    appendHundreds(words, s);
    if (words.text.size() != before)
        words.text += groupWord;
}

// The integer part, cut at its "," (each found at a byte position).
void appendWholeWords(Words &words, QStringView whole)
{
    qsizetype count = 0;
    for (qsizetype at = whole.indexOf(u','); at >= 0; at = whole.indexOf(u',', at + 1)) {
        if (at + 1 > largestPosition) {
            words.fail(overflow);
            return;
        }
        ++count;
    }
    const qsizetype first = whole.indexOf(u',');
    const QStringView lastThree = whole.right(3);
    switch (count) {
    case 0:
        appendHundreds(words, whole);
        break;
    case 1:
        appendHundreds(words, whole.left(first));
        words.text += u"Thousand ";
        appendHundreds(words, lastThree);
        break;
    case 2:
        appendHundreds(words, whole.left(first));
        words.text += u"Million ";
        appendGroupIfAny(words, whole.mid(first + 1, 3), u"Thousand ");
        appendHundreds(words, lastThree);
        break;
    case 3: {
        const qsizetype second = whole.indexOf(u',', first + 1);
        appendHundreds(words, whole.left(first));
        words.text += u"Billion ";
        appendGroupIfAny(words, whole.mid(first + 1, 3), u"Million ");
        appendGroupIfAny(words, whole.mid(second + 1, 3), u"Thousand ");
        appendHundreds(words, lastThree);
        break;
    }
    default:
        // A trillion or more gets no number words.
        break;
    }
}

} // namespace

QString udf_strOnes(int v)
{
    WordBuffer word;
    appendOnesOf(word, v);
    return word.toString();
}

QString udf_strOnes(QStringView v)
{
    Words words;
    appendOnes(words, v);
    return words.error.isEmpty() ? words.text.toString() : QString();
}

QString udf_strTens(QStringView s)
{
    Words words;
    appendTens(words, s);
    return words.error.isEmpty() ? words.text.toString() : QString();
}

QString udf_strHundreds(QStringView s)
{
    Words words;
    appendHundreds(words, s);
    return words.error.isEmpty() ? words.text.toString() : QString();
}

QString udf_strProcessWords(QStringView text, QStringView unit, QStringView subUnit)
{
    static constexpr QStringView centsJoin = u"and ";
    Words words;

    // 2. The position of the ".", kept in a byte like every text position.
    const qsizetype point = text.indexOf(u'.');
    if (point + 1 > largestPosition)
        words.fail(overflow);

    // 4-5. The words of the integer part.
    appendWholeWords(words, point >= 0 ? text.left(point) : text);

    // 3, 6. The unit, then "and ", the cents and the sub-unit only when
    //       the two digits after the "." have words.
    words.text += unit;
    if (point >= 0) {
        const qsizetype beforeCents = words.text.size();
        words.text += centsJoin;
        appendHundreds(words, text.mid(point + 1, 2));
        if (words.text.size() == beforeCents + centsJoin.size())
            words.text.truncate(beforeCents);
        else
            words.text += subUnit;
    }

    if (!words.error.isEmpty()) {
        Messages::show(words.error, Messages::Icon::Information,
                       QStringLiteral("udf_strProcessWords"));
        return {};
    }
    return words.text.toString();
}

QString udf_strNum2Words(double amount, QStringView unit, QStringView subUnit)
{
    // An amount that is not a finite number has no "Standard" text.
    if (!std::isfinite(amount)) {
        Messages::show(overflow, Messages::Icon::Information, QStringLiteral("udf_strNum2Words"));
        return {};
    }
    const StandardFormat formatted(amount);
    return udf_strProcessWords(formatted.text(), unit, subUnit);
}
