#include "batchcheck.h"

#include "batchstatements.h"
#include "chequecheck.h"
#include "chequenumbers.h"
#include "chequepage.h"
#include "currencywording.h"
#include "database.h"
#include "failure.h"
#include "layoutrecord.h"
#include "rememberingprinter.h"

#include <QHash>
#include <QRegularExpression>

namespace {

// A number as a cheque book prints it; an empty one is the bank's next.
bool isPlainNumber(const QString &number)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9-]*$"));
    return plain.match(number.trimmed()).hasMatch();
}

// What every row of one bank shares, read once.
struct BankFacts {
    std::optional<LayoutRecord> layout;
    store::WordsChoice choice;
    QString currency;
    QString problem;     // why none of its cheques can print
    QString lastNumber;  // the highest number used: the register's, then the batch's
};

class Checker
{
public:
    Checker(const QSqlDatabase &db, Printer &measuring) : m_db(db), m_measuring(measuring) {}

    QSqlError check(BatchCheque &cheque);
    void number(BatchCheque &cheque);
    QSqlError markUsedNumbers();
    void markRepeatedNumbers(QList<BatchCheque> &cheques);

private:
    QSqlError bankFacts(const QString &bank, BankFacts **facts);
    QSqlError payeeName(const QString &payee, std::optional<QString> *name);
    QString wordsProblem(BatchCheque &cheque, const QString &currency);
    QString problemOf(BatchCheque &cheque, const BankFacts &bank);
    QDate dateOf(const BatchCsvRow &row);

    QSqlDatabase m_db;
    RememberingPrinter m_measuring;
    QHash<QString, QList<BatchCheque *>> m_givenNumbers;  // by the bank's name as printed
    QHash<QString, BankFacts> m_banks;  // by name in lower case, as the store compares
    QHash<QString, std::optional<QString>> m_payees;
    // The last date read: a batch's rows mostly share one.
    struct ReadDate {
        QString text;
        DateOrder order = DateOrder::DayFirst;
        QDate date;
    };
    std::optional<ReadDate> m_lastDate;
};

QDate Checker::dateOf(const BatchCsvRow &row)
{
    if (!m_lastDate || m_lastDate->text != row.date || m_lastDate->order != row.dateOrder)
        m_lastDate = {row.date, row.dateOrder, batchDate(row.date, row.dateOrder).value_or(QDate())};
    return m_lastDate->date;
}

QSqlError Checker::bankFacts(const QString &bank, BankFacts **facts)
{
    const QString key = bank.toLower();
    if (auto found = m_banks.find(key); found != m_banks.end()) {
        *facts = &*found;
        return {};
    }
    BankFacts read;
    std::optional<QString> currency;
    QSqlError error = loadLayoutRecord(m_db, bank, &read.layout);
    if (!error.isValid())
        error = store::findWordsChoice(m_db, bank, &read.choice);
    if (!error.isValid())
        error = store::findBankCurrency(m_db, bank, &currency);
    if (!error.isValid())
        error = store::findHighestChequeNumber(m_db, bank, &read.lastNumber);
    if (error.isValid())
        return error;
    read.currency = currency.value_or(QString());
    if (bank.isEmpty())
        read.problem = QStringLiteral("No bank is given.");
    else if (!read.layout)
        read.problem = QStringLiteral("The bank \"%1\" has no cheque layout.").arg(bank);
    else if (!currency)
        read.problem = QStringLiteral("The bank \"%1\" is not among the banks, so its currency "
                                      "is not known.").arg(bank);
    else if (read.currency.isEmpty())
        read.problem = QStringLiteral("The bank \"%1\" has no currency.").arg(bank);
    *facts = &*m_banks.insert(key, read);
    return {};
}

// A nick name first, as the print window's list offers them, then a name.
QSqlError Checker::payeeName(const QString &payee, std::optional<QString> *name)
{
    const QString key = payee.toLower();
    if (auto found = m_payees.constFind(key); found != m_payees.cend()) {
        *name = *found;
        return {};
    }
    QSqlError error = store::findPayeeName(m_db, payee, name);
    if (!error.isValid() && (!*name || (*name)->isEmpty()))
        error = store::findPayeeByName(m_db, payee, name);
    if (!error.isValid())
        m_payees.insert(key, *name);
    return error;
}

// The amount tidied and worded as the print window does, or why it cannot be.
QString Checker::wordsProblem(BatchCheque &cheque, const QString &currency)
{
    if (cheque.row.amount.isEmpty())
        return QStringLiteral("No amount is given.");
    const CurrencyWording wording = wordCurrency(cheque.row.amount, currency);
    cheque.items.amount = wording.amountText;
    cheque.items.amountInWords = wording.words;
    if (wording.words.isEmpty())
        return wording.refusal;
    return {};
}

QSqlError Checker::check(BatchCheque &cheque)
{
    const BatchCsvRow &row = cheque.row;
    cheque.items = {row.bank, {}, {}, {}, dateOf(row), batchCrossed(row.crossed).value_or(true)};
    cheque.chequeNo = row.number;
    BankFacts *bank = nullptr;
    std::optional<QString> name;
    if (QSqlError error = bankFacts(row.bank, &bank); error.isValid())
        return error;
    if (QSqlError error = payeeName(row.payee, &name); error.isValid())
        return error;
    cheque.items.payeeName = name.value_or(QString());
    // Printed and recorded under the bank's name as its layout has it.
    if (bank->layout)
        cheque.items.bankName = bank->layout->bankName;
    cheque.problem = problemOf(cheque, *bank);
    return {};
}

// Every reason the cheque cannot print, in the print window's order, so
// one mend of the file is enough; the page is composed only for a cheque
// with none.
QString Checker::problemOf(BatchCheque &cheque, const BankFacts &bank)
{
    const BatchCsvRow &row = cheque.row;
    QStringList problems = row.problems;
    if (!bank.problem.isEmpty())
        problems << bank.problem;
    if (cheque.items.payeeName.isEmpty())
        problems << QStringLiteral("The payee \"%1\" is neither a nick name nor a name among "
                                   "the payees.").arg(row.payee);
    if (bank.problem.isEmpty())
        problems << wordsProblem(cheque, bank.currency);
    // A date read (check() read it) has no problem to tell.
    if (!cheque.items.date.isValid())
        problems << batchDateProblem(row);
    if (!batchCrossed(row.crossed))
        problems << QStringLiteral("The crossed value \"%1\" is neither yes nor no.").arg(row.crossed);
    if (!isPlainNumber(row.number))
        problems << QStringLiteral("The cheque number \"%1\" is neither plain digits nor letters, "
                                   "digits and hyphens.").arg(row.number);
    problems.removeAll(QString());
    // The print window's own check, once the row's words and number stand.
    if (problems.isEmpty())
        problems << chequeRefusal(cheque.items, row.number);
    problems.removeAll(QString());
    if (!problems.isEmpty())
        return problems.join(u' ');
    QList<ComposedText> texts;
    return composeCheque(*bank.layout, bank.choice, cheque.items, m_measuring, &texts);
}

// A missing number is the bank's next; a given one is looked up with the
// batch's others of its bank. The highest number so far moves on with
// every all-digit one.
void Checker::number(BatchCheque &cheque)
{
    BankFacts &bank = m_banks[cheque.row.bank.toLower()];
    if (cheque.chequeNo.isEmpty()) {
        cheque.chequeNo = numberAfter(bank.lastNumber);
        if (cheque.chequeNo.isEmpty())
            cheque.problem = QStringLiteral("No number is given, and the bank has no numbered "
                                            "cheque in the register to follow.");
    } else {
        m_givenNumbers[cheque.items.bankName].append(&cheque);
    }
    if (isAllDigits(cheque.chequeNo) && isLaterNumber(cheque.chequeNo, bank.lastNumber))
        bank.lastNumber = cheque.chequeNo.trimmed();
}

// A given number must be new to the register.
QSqlError Checker::markUsedNumbers()
{
    for (auto bank = m_givenNumbers.cbegin(); bank != m_givenNumbers.cend(); ++bank) {
        QStringList numbers;
        for (const BatchCheque *cheque : bank.value())
            numbers << cheque->chequeNo;
        QHash<QString, store::RegisterRow> earlier;
        if (QSqlError error = store::findChequesByNumbers(m_db, bank.key(), numbers, &earlier);
            error.isValid())
            return error;
        for (BatchCheque *cheque : bank.value()) {
            if (const auto found = earlier.constFind(cheque->chequeNo); found != earlier.cend())
                cheque->problem = QStringLiteral("Cheque number %1 is in the register already: "
                                                 "the cheque dated %2 to %3 for %4.")
                                      .arg(cheque->chequeNo, chequeDateText(found->dateOfCheque),
                                           found->payeeName, found->amount);
        }
    }
    return {};
}

void Checker::markRepeatedNumbers(QList<BatchCheque> &cheques)
{
    // By bank and number, for each cheque that has them; built once each.
    QList<QString> keys(cheques.size());
    QHash<QString, QList<int>> lines;
    for (qsizetype i = 0; i < cheques.size(); ++i) {
        const BatchCheque &cheque = cheques[i];
        if (!cheque.included)
            continue;
        if (const QString number = numberKey(cheque.chequeNo); !number.isEmpty()) {
            keys[i] = cheque.row.bank.toLower() + u'\n' + number;
            lines[keys[i]].append(cheque.row.line);
        }
    }
    for (qsizetype i = 0; i < cheques.size(); ++i) {
        BatchCheque &cheque = cheques[i];
        if (keys[i].isNull() || !cheque.problem.isEmpty())
            continue;
        const QList<int> &same = lines[keys[i]];
        if (same.size() < 2)
            continue;
        QStringList others;
        for (int line : same)
            others << QString::number(line);
        cheque.problem = QStringLiteral("Cheque number %1 is given more than once in the batch "
                                        "(lines %2).").arg(cheque.chequeNo, others.join(u", "));
    }
}

} // namespace

QList<BatchCheque> batchChequesFrom(const QList<BatchCsvRow> &rows)
{
    QList<BatchCheque> cheques;
    cheques.reserve(rows.size());
    for (const BatchCsvRow &row : rows)
        cheques.append({row, true, {}, {}, {}, false, {}});
    return cheques;
}

QString checkBatch(QList<BatchCheque> *cheques, Printer &measuring)
{
    const store::Connection connection(QStringLiteral("checkBatch"));
    if (!connection.isOpen())
        return store::failureText(QStringLiteral("open the data file"), connection.error());
    Checker checker(connection.database(), measuring);
    QSqlError error;
    for (BatchCheque &cheque : *cheques) {
        if (cheque.printed)
            continue;
        if (!error.isValid())
            error = checker.check(cheque);
        if (!error.isValid() && cheque.included && cheque.ready())
            checker.number(cheque);
    }
    if (!error.isValid())
        error = checker.markUsedNumbers();
    if (error.isValid())
        return store::failureText(QStringLiteral("check the batch"), error);
    checker.markRepeatedNumbers(*cheques);
    return {};
}
