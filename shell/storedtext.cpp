#include "storedtext.h"
#include "messages.h"

namespace {

bool isDirectionControl(char32_t c)
{
    return (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

} // namespace

QString storedTextProblem(QStringView text, const QString &boxCaption)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool pairHere = c.isHighSurrogate() && i + 1 < text.size()
                              && text[i + 1].isLowSurrogate();
        if (pairHere) {
            ++i;
            continue;
        }
        if (c.isSurrogate() || c.category() == QChar::Other_Control
            || isDirectionControl(c.unicode())) {
            const QString code = QString::number(c.unicode(), 16).toUpper();
            return QStringLiteral("The text in \"%1\" holds the character U+%2, which would "
                                  "not show as it is stored. Remove it and try again.")
                .arg(boxCaption, code.rightJustified(4, u'0'));
        }
    }
    return {};
}

bool storedTextsSound(std::initializer_list<CaptionedText> boxes)
{
    for (const CaptionedText &box : boxes) {
        if (const QString problem = storedTextProblem(box.text, box.caption); !problem.isEmpty()) {
            Messages::show(problem, Messages::Icon::Critical);
            return false;
        }
    }
    return true;
}
