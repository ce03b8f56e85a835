#include "payfile.h"

#include "fieldtext.h"

#include <QFile>
#include <QSaveFile>

namespace positivepay {
namespace {

const QByteArray lineEnd = QByteArrayLiteral("\r\n");
// The trailer's numbers in a fixed-width record.
constexpr int trailerCountWidth = 10;
constexpr int trailerTotalWidth = 15;

QString amountText(const Layout &layout, Money amount)
{
    switch (layout.amountStyle) {
    case AmountStyle::Decimal: return amount.toPlain();
    case AmountStyle::Grouped: return amount.toGrouped();
    case AmountStyle::ImpliedCents: return amount.toImpliedCents();
    }
    return {};
}

// The cheques come in date order: each date is written once and reused.
class DateTexts
{
public:
    explicit DateTexts(const QString &pattern) : m_pattern(pattern) {}
    QString operator()(const QDate &date)
    {
        if (date != m_date) {
            m_date = date;
            m_text = date.toString(m_pattern);
        }
        return m_text;
    }

private:
    QString m_pattern;
    QDate m_date;
    QString m_text;
};

QString valueOf(Field field, const Layout &layout, const Account &account,
                const PayRecord &record, DateTexts &dates)
{
    switch (field) {
    case Field::AccountNumber: return account.accountNumber.trimmed();
    case Field::ShortAccountNumber: return account.shortAccountNumber.trimmed();
    case Field::ChequeNumber: return record.chequeNo.trimmed();
    case Field::ChequeDate: return dates(record.date);
    case Field::Amount: return amountText(layout, record.amount);
    case Field::PayeeName: return record.payeeName.trimmed();
    case Field::TransactionCode: return account.transactionCode.trimmed();
    case Field::MicrCode: return account.branchMicr.trimmed();
    case Field::IssueVoidCode:
        return record.kind == RecordKind::Issue ? layout.issueCode : layout.voidCode;
    case Field::BankName: return account.bankName.trimmed();
    case Field::Blank: return {};
    }
    return {};
}

bool hasVoidCode(const Layout &layout)
{
    for (const FieldSpec &fieldSpec : layout.fields) {
        if (fieldSpec.field == Field::IssueVoidCode && !layout.voidCode.isEmpty())
            return true;
    }
    return false;
}

QString describe(const PayRecord &record)
{
    return QStringLiteral("Cheque %1 of %2 to %3")
        .arg(record.chequeNo.trimmed(), record.date.toString(QStringLiteral("dd-MM-yyyy")),
             record.payeeName.trimmed());
}

// One record as a line, or the first reason it does not fit.
QString recordLine(const Layout &layout, const Account &account, const PayRecord &record,
                   DateTexts &dates, QString *line)
{
    if (record.amount <= Money())
        return QStringLiteral("the amount is not more than nothing.");
    if (!record.date.isValid())
        return QStringLiteral("its date cannot be read.");
    QStringList texts;
    for (const FieldSpec &fieldSpec : layout.fields) {
        QString text = valueOf(fieldSpec.field, layout, account, record, dates);
        if (const QString problem = fitField(layout, fieldSpec, &text); !problem.isEmpty())
            return problem;
        texts << text;
    }
    *line = joinRecord(layout, texts);
    return {};
}

QString headerLine(const Layout &layout)
{
    QStringList titles;
    for (const FieldSpec &fieldSpec : layout.fields) {
        const QString title = fieldSpec.field == Field::Blank ? QString() : fieldName(fieldSpec.field);
        FieldSpec titleSpec = fieldSpec;
        titleSpec.fill = QLatin1Char(' ');
        titles << (layout.format == Format::FixedWidth
                       ? padded(titleSpec, title.left(fieldSpec.width))
                       : title);
    }
    return joinRecord(layout, titles);
}

QString trailerLine(const Layout &layout, qsizetype count, Money total)
{
    const QString code = layout.trailerCode;
    const QString amount = amountText(layout, total);
    if (layout.format == Format::Delimited)
        return joinRecord(layout, {code, QString::number(count), amount});
    const FieldSpec countSpec{Field::Blank, trailerCountWidth, Alignment::Right,
                              QLatin1Char('0'), false};
    const FieldSpec totalSpec{Field::Blank, trailerTotalWidth, Alignment::Right,
                              QLatin1Char('0'), false};
    const QString line = code + padded(countSpec, QString::number(count))
                         + padded(totalSpec, amount);
    return line.leftJustified(recordWidth(layout), QLatin1Char(' '));
}

} // namespace

PayFile writePayFile(const Layout &layout, const Account &account,
                     const QList<PayRecord> &records)
{
    PayFile file;
    const bool voidsFit = hasVoidCode(layout);
    DateTexts dates(layout.datePattern);
    QString text;
    if (layout.header)
        text += headerLine(layout) + QString::fromLatin1(lineEnd);
    Money total;
    for (const PayRecord &record : records) {
        if (record.kind == RecordKind::Void && !voidsFit) {
            file.leftOut << record;
            continue;
        }
        QString line;
        if (const QString problem = recordLine(layout, account, record, dates, &line);
            !problem.isEmpty()) {
            file.refused << QStringLiteral("%1: %2").arg(describe(record), problem);
            continue;
        }
        const std::optional<Money> sum = total.plus(record.amount);
        if (!sum) {
            file.refused << QStringLiteral("%1: the total of the file is too large.")
                                .arg(describe(record));
            continue;
        }
        total = *sum;
        text += line + QString::fromLatin1(lineEnd);
        file.written << record;
    }
    if (layout.trailer)
        text += trailerLine(layout, file.written.size(), total) + QString::fromLatin1(lineEnd);
    if (file.refused.isEmpty())
        file.bytes = text.toUtf8();
    else
        file.written.clear();
    return file;
}

QString savePayFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return file.errorString();
    return {};
}

} // namespace positivepay
