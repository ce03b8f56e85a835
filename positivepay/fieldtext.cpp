#include "fieldtext.h"

namespace positivepay {
namespace {

bool isAscii(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            return false;
    }
    return true;
}

// "José" becomes "Jose"; what has no ASCII letter under it stays, to be refused.
QString withoutAccents(const QString &text)
{
    if (isAscii(text))
        return text;  // most names: no decomposition to pay for
    QString plain;
    for (const QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.category() != QChar::Mark_NonSpacing)
            plain += c;
    }
    return plain;
}

bool hasControl(const QString &text)
{
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            return true;
    }
    return false;
}

bool allDigits(const QString &text)
{
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return !text.isEmpty();
}

bool isRequired(Field field)
{
    return field == Field::AccountNumber || field == Field::ChequeNumber;
}

QString quoted(const Layout &layout, const QString &text)
{
    const bool needsQuotes = text.contains(layout.delimiter) || text.contains(QLatin1Char('"'))
                             || text.contains(QLatin1Char('\r'))
                             || text.contains(QLatin1Char('\n'));
    if (!needsQuotes)
        return text;
    QString inner = text;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

QString lowerName(Field field)
{
    QString name = fieldName(field);
    return name.startsWith(QLatin1String("MICR")) ? name : name.toLower();
}

} // namespace

QString fitField(const Layout &layout, const FieldSpec &fieldSpec, QString *text)
{
    // Named only when something is wrong: this runs for every field of every cheque.
    const auto name = [&] { return lowerName(fieldSpec.field); };
    if (isRequired(fieldSpec.field) && text->isEmpty())
        return QStringLiteral("it has no %1.").arg(name());
    if (layout.asciiOnly) {
        *text = withoutAccents(*text);
        if (!isAscii(*text))
            return QStringLiteral("the %1 \"%2\" holds characters other than plain letters, "
                                  "figures and signs, which the layout does not take.")
                .arg(name(), *text);
    }
    if (layout.format == Format::FixedWidth && hasControl(*text))
        return QStringLiteral("the %1 holds a line break.").arg(name());
    if (fieldSpec.fill == QLatin1Char('0') && fieldSpec.field != Field::Blank && !allDigits(*text))
        return QStringLiteral("the %1 \"%2\" is not all figures, and the layout fills it "
                              "with zeros.")
            .arg(name(), *text);
    if (fieldSpec.width > 0 && text->size() > fieldSpec.width) {
        if (!fieldSpec.cut)
            return QStringLiteral("the %1 \"%2\" has %3 characters; the layout takes %4.")
                .arg(name(), *text)
                .arg(text->size())
                .arg(fieldSpec.width);
        text->truncate(fieldSpec.width);
    }
    *text = layout.format == Format::FixedWidth ? padded(fieldSpec, *text) : quoted(layout, *text);
    return {};
}

QString padded(const FieldSpec &fieldSpec, const QString &text)
{
    return fieldSpec.alignment == Alignment::Left ? text.leftJustified(fieldSpec.width, fieldSpec.fill)
                                             : text.rightJustified(fieldSpec.width, fieldSpec.fill);
}

QString joinRecord(const Layout &layout, const QStringList &fields)
{
    return layout.format == Format::FixedWidth ? fields.join(QString())
                                               : fields.join(layout.delimiter);
}

int recordWidth(const Layout &layout)
{
    int width = 0;
    for (const FieldSpec &fieldSpec : layout.fields)
        width += fieldSpec.width;
    return width;
}

} // namespace positivepay
