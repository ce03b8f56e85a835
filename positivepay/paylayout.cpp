#include "paylayout.h"

#include <array>

namespace positivepay {
namespace {

struct Named {
    Field field;
    const char *name;
};

const std::array<Named, 11> fieldNames{{
    {Field::AccountNumber, "Account Number"},
    {Field::ShortAccountNumber, "Short Account Number"},
    {Field::ChequeNumber, "Cheque Number"},
    {Field::ChequeDate, "Cheque Date"},
    {Field::Amount, "Amount"},
    {Field::PayeeName, "Payee Name"},
    {Field::TransactionCode, "Transaction Code"},
    {Field::MicrCode, "MICR Code"},
    {Field::IssueVoidCode, "Issue/Void"},
    {Field::BankName, "Bank Name"},
    {Field::Blank, "Blank"},
}};

FieldSpec plain(Field field, int width = 0, bool cut = false)
{
    return {field, width, Alignment::Left, QLatin1Char(' '), cut};
}

FieldSpec zeroFilled(Field field, int width)
{
    return {field, width, Alignment::Right, QLatin1Char('0'), false};
}

// The fields of the Reserve Bank's Positive Pay System for CTS cheques,
// the short account number last, as bank portals take them in bulk.
Layout indian()
{
    Layout layout;
    layout.name = QStringLiteral("Indian Positive Pay (CSV)");
    layout.header = true;
    layout.datePattern = QStringLiteral("dd-MM-yyyy");
    layout.issueCode.clear();
    layout.voidCode.clear();
    layout.fields = {plain(Field::AccountNumber),   plain(Field::ChequeNumber),
                     plain(Field::ChequeDate),      plain(Field::Amount),
                     plain(Field::PayeeName),       plain(Field::TransactionCode),
                     plain(Field::MicrCode),        plain(Field::ShortAccountNumber)};
    return layout;
}

// Everything the program knows of each cheque, for a spreadsheet or a
// bank that maps its own columns.
Layout everyField()
{
    Layout layout;
    layout.name = QStringLiteral("All fields (CSV)");
    layout.header = true;
    layout.issueCode = QStringLiteral("Issue");
    layout.voidCode = QStringLiteral("Void");
    layout.fields = {plain(Field::IssueVoidCode),   plain(Field::AccountNumber),
                     plain(Field::ShortAccountNumber), plain(Field::ChequeNumber),
                     plain(Field::ChequeDate),      plain(Field::Amount),
                     plain(Field::PayeeName),       plain(Field::TransactionCode),
                     plain(Field::MicrCode),        plain(Field::BankName)};
    return layout;
}

// The common US upload: no header, the issue or void code first, MMDDYY
// dates, decimal amounts, the payee cut at 40 characters.
Layout usDelimited()
{
    Layout layout;
    layout.name = QStringLiteral("US issue file (CSV)");
    layout.datePattern = QStringLiteral("MMddyy");
    layout.asciiOnly = true;
    layout.fields = {plain(Field::IssueVoidCode), plain(Field::AccountNumber),
                     plain(Field::ChequeNumber),  plain(Field::ChequeDate),
                     plain(Field::Amount),        plain(Field::PayeeName, 40, true)};
    return layout;
}

// The common US fixed-width record of 80 characters: numbers zero-filled
// from the right, YYYYMMDD dates, amounts in implied cents.
Layout usFixed()
{
    Layout layout;
    layout.name = QStringLiteral("US issue file (80 columns)");
    layout.format = Format::FixedWidth;
    layout.datePattern = QStringLiteral("yyyyMMdd");
    layout.amountStyle = AmountStyle::ImpliedCents;
    layout.asciiOnly = true;
    layout.fields = {zeroFilled(Field::AccountNumber, 12), zeroFilled(Field::ChequeNumber, 10),
                     plain(Field::ChequeDate, 8),          zeroFilled(Field::Amount, 10),
                     plain(Field::IssueVoidCode, 1),       plain(Field::PayeeName, 39, true)};
    return layout;
}

} // namespace

QString fieldName(Field field)
{
    for (const Named &named : fieldNames) {
        if (named.field == field)
            return QString::fromLatin1(named.name);
    }
    return {};
}

QList<Field> allFields()
{
    QList<Field> fields;
    for (const Named &named : fieldNames)
        fields << named.field;
    return fields;
}

bool fieldFromName(const QString &name, Field *field)
{
    for (const Named &named : fieldNames) {
        if (name == QLatin1String(named.name)) {
            *field = named.field;
            return true;
        }
    }
    return false;
}

QString amountStyleName(AmountStyle style)
{
    switch (style) {
    case AmountStyle::Decimal: return QStringLiteral("Decimal (1234.50)");
    case AmountStyle::Grouped: return QStringLiteral("With separators (1,234.50)");
    case AmountStyle::ImpliedCents: return QStringLiteral("Implied cents (123450)");
    }
    return {};
}

QList<AmountStyle> allAmountStyles()
{
    return {AmountStyle::Decimal, AmountStyle::Grouped, AmountStyle::ImpliedCents};
}

QList<Layout> builtInLayouts()
{
    return {indian(), everyField(), usDelimited(), usFixed()};
}

bool isBuiltIn(const QString &name)
{
    for (const Layout &layout : builtInLayouts()) {
        if (layout.name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QStringList layoutProblems(const Layout &layout)
{
    QStringList problems;
    if (layout.name.trimmed().isEmpty())
        problems << QStringLiteral("The layout has no name.");
    if (layout.fields.isEmpty())
        problems << QStringLiteral("The layout has no fields.");
    if (layout.format == Format::Delimited
        && (layout.delimiter.isNull() || layout.delimiter == QLatin1Char('"')
            || layout.delimiter.isLetterOrNumber()))
        problems << QStringLiteral("The delimiter must be a sign such as a comma, not a letter, "
                                   "figure or quote.");
    for (const FieldSpec &fieldSpec : layout.fields) {
        if (layout.format == Format::FixedWidth && fieldSpec.width <= 0)
            problems << QStringLiteral("%1 needs a width in a fixed-width record.")
                            .arg(fieldName(fieldSpec.field));
        if (fieldSpec.fill.isNull() || !fieldSpec.fill.isPrint())
            problems << QStringLiteral("%1 needs a fill character.").arg(fieldName(fieldSpec.field));
    }
    if (layout.datePattern.isEmpty())
        problems << QStringLiteral("The layout has no date pattern.");
    return problems;
}

} // namespace positivepay
