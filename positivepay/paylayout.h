#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// How a bank wants its Positive Pay file: the cheques issued (and voided)
// from one account, one record a cheque, in the bank's own layout.
namespace positivepay {

// What a record can hold. The names are the header's titles and the
// editor's choices.
enum class Field {
    AccountNumber,
    ShortAccountNumber,
    ChequeNumber,
    ChequeDate,
    Amount,
    PayeeName,
    TransactionCode,
    MicrCode,
    IssueVoidCode,
    BankName,
    Blank,  // nothing but the fill: the gaps of a fixed-width record
};
QString fieldName(Field field);
QList<Field> allFields();
// nullopt-like: false when the name is none of the fields.
bool fieldFromName(const QString &name, Field *field);

enum class Alignment { Left, Right };

enum class AmountStyle {
    Decimal,       // 1234.50
    Grouped,       // 1,234.50
    ImpliedCents,  // 123450
};
QString amountStyleName(AmountStyle style);
QList<AmountStyle> allAmountStyles();

struct FieldSpec {
    Field field = Field::Blank;
    // Fixed width: the field's exact width. Delimited: the most it may
    // hold, 0 for no limit.
    int width = 0;
    Alignment alignment = Alignment::Left;
    QChar fill = QLatin1Char(' ');
    // A value longer than the width is cut to it; otherwise its cheque is
    // refused.
    bool cut = false;

    friend bool operator==(const FieldSpec &, const FieldSpec &) = default;
};

enum class Format { Delimited, FixedWidth };

struct Layout {
    QString name;
    Format format = Format::Delimited;
    QChar delimiter = QLatin1Char(',');
    bool header = false;
    QString datePattern = QStringLiteral("yyyy-MM-dd");  // as QDate::toString takes it
    AmountStyle amountStyle = AmountStyle::Decimal;
    QString issueCode = QStringLiteral("I");
    QString voidCode = QStringLiteral("V");
    // Letters with accents lose them; what is still not ASCII is refused.
    bool asciiOnly = false;
    // A last record of the code, the count of records and their total.
    bool trailer = false;
    QString trailerCode = QStringLiteral("T");
    QList<FieldSpec> fields;

    friend bool operator==(const Layout &, const Layout &) = default;
};

// The layouts every file knows, first the Indian one.
QList<Layout> builtInLayouts();
bool isBuiltIn(const QString &name);

// What is wrong with the layout itself, in words; empty when it can be used.
QStringList layoutProblems(const Layout &layout);

} // namespace positivepay
