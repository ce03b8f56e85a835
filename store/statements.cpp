#include "statements.h"

#include "boundstatement.h"
#include "dialect.h"
#include "firstusetables.h"
#include "tablecolumns.h"
#include "transaction.h"

#include <QSqlRecord>
#include <QVariant>

namespace store {

const QString createLeafImageTable = QStringLiteral(
    "CREATE TABLE IF NOT EXISTS LeafImage (Bankname TEXT COLLATE NOCASE PRIMARY KEY, "
    "Image BLOB NOT NULL, ScreenImage BLOB NOT NULL, WidthMm REAL NOT NULL, HeightMm REAL NOT NULL, LeftMm REAL NOT NULL, "
    "TopMm REAL NOT NULL)");

// The Positions columns after Scalemode and Bankname.
const std::array<QString, LayoutPositionCount> layoutPositionColumns = [] {
    std::array<QString, LayoutPositionCount> columns;
    const QStringList positions = tableColumns()[PositionsTable].columns.mid(2);
    std::copy(positions.begin(), positions.end(), columns.begin());
    return columns;
}();

namespace {

const QString selectAllBanks = QStringLiteral("Select * from Bank ");
const QString insertBank = insertStatement(BankTable);
const QString selectBankByName = QStringLiteral("Select * from Bank where BankName = ?");

const QString selectAllPayees = QStringLiteral("Select * from Payee ");
const QString selectPayeeByNickName =
    QStringLiteral("Select * from Payee where payeenickname = ? ");
const QString deletePayeeByNickName = QStringLiteral("Delete from payee where payeenickname = ?");
const QString insertPayee = insertStatement(PayeeTable);

const QString selectAllLayouts = QStringLiteral("Select * from Positions ");
const QString selectLayoutByBank = QStringLiteral("Select * from Positions where bankname = ?");
const QString deleteLayoutByBank = QStringLiteral("Delete from positions where bankname = ?");
const QString insertLayout = insertStatement(PositionsTable);

const QString selectWordsChoiceByBank =
    QStringLiteral("Select BreakByWidth, FillAfterWords from WordsChoice where Bankname = ?");
const QString deleteWordsChoiceByBank =
    QStringLiteral("Delete from WordsChoice where Bankname = ?");
const QString insertWordsChoice = QStringLiteral(
    "Insert into WordsChoice (Bankname, BreakByWidth, FillAfterWords) values (?, ?, ?)");

const QString insertRegisterEntry = insertStatement(RegisterTable);
const QString selectRegisterByBankAndDates = QStringLiteral(
    "Select * from ChqIssuereg where bankname = ? and dateofchq >= ? and dateofchq <= ? ");

const QString selectLeafImageByBank = QStringLiteral(
    "Select Image, ScreenImage, WidthMm, HeightMm, LeftMm, TopMm from LeafImage "
    "where Bankname = ?");
const QString replaceLeafImageByBank = replaceStatement(
    QStringLiteral("LeafImage"), QStringLiteral("Bankname"),
    {QStringLiteral("Image"), QStringLiteral("ScreenImage"), QStringLiteral("WidthMm"),
     QStringLiteral("HeightMm"), QStringLiteral("LeftMm"), QStringLiteral("TopMm")});
const QString updateLeafPlaceByBank = QStringLiteral(
    "Update LeafImage set WidthMm = ?, HeightMm = ?, LeftMm = ?, TopMm = ? where Bankname = ?");

// Text is stored as typed: an empty box is an empty text, not a missing value.
QVariant text(const QString &value)
{
    return value.isNull() ? QVariant(QString(QLatin1String(""))) : QVariant(value);
}

QSqlError run(const QSqlDatabase &db, const QString &statement, const QVariantList &values,
              QSqlQuery *query, bool forwardOnly = true)
{
    return runBound(db, statement, values, query, forwardOnly);
}

QSqlError run(const QSqlDatabase &db, const QString &statement, const QVariantList &values)
{
    QSqlQuery query(db);
    return run(db, statement, values, &query);
}

QSqlError listColumn(const QSqlDatabase &db, const QString &statement, const QString &column,
                     QStringList *list)
{
    list->clear();
    QSqlQuery query(db);
    if (QSqlError error = run(db, statement, {}, &query); error.isValid())
        return error;
    const int field = query.record().indexOf(column);
    while (query.next())
        list->append(query.value(field).toString());
    return query.lastError();
}

// The first row's value of one column: nullopt without a row, a null text
// where the column holds no value.
QSqlError firstValue(const QSqlDatabase &db, const QString &statement, const QString &key,
                     const QString &column, std::optional<QString> *value)
{
    value->reset();
    QSqlQuery query(db);
    if (QSqlError error = run(db, statement, {key}, &query); error.isValid())
        return error;
    if (query.next()) {
        const QVariant field = query.value(query.record().indexOf(column));
        *value = field.isNull() ? QString() : field.toString();
    }
    return query.lastError();
}

LayoutRow layoutFrom(const QSqlQuery &query)
{
    const QSqlRecord record = query.record();
    LayoutRow layout;
    const QVariant scaleMode = query.value(record.indexOf(QStringLiteral("scalemode")));
    layout.scaleMode = scaleMode.isNull() ? QString() : scaleMode.toString();
    layout.bankName = query.value(record.indexOf(QStringLiteral("bankname"))).toString();
    for (int i = 0; i < LayoutPositionCount; ++i) {
        const QVariant value = query.value(record.indexOf(layoutPositionColumns[i]));
        if (!value.isNull())
            layout.positions[i] = value.toDouble();
    }
    return layout;
}

} // namespace

QSqlError listBankNames(const QSqlDatabase &db, QStringList *names)
{
    return listColumn(db, selectAllBanks, QStringLiteral("Bankname"), names);
}

QSqlError addBank(const QSqlDatabase &db, const BankRow &bank)
{
    return run(db, insertBank, {text(bank.micrCode), text(bank.bankName), text(bank.currency)});
}

QSqlError findBankCurrency(const QSqlDatabase &db, const QString &bankName,
                           std::optional<QString> *currency)
{
    return firstValue(db, selectBankByName, text(bankName).toString(),
                      QStringLiteral("Currency"), currency);
}

QSqlError listPayeeNickNames(const QSqlDatabase &db, QStringList *nickNames)
{
    return listColumn(db, selectAllPayees, QStringLiteral("PayeeNickName"), nickNames);
}

QSqlError findPayeeName(const QSqlDatabase &db, const QString &nickName,
                        std::optional<QString> *payeeName)
{
    return firstValue(db, selectPayeeByNickName, text(nickName).toString(),
                      QStringLiteral("Payeename"), payeeName);
}

QSqlError replacePayee(const QSqlDatabase &db, const QString &nickName, const QString &payeeName)
{
    return inTransaction(db, [&] {
        if (QSqlError error = run(db, deletePayeeByNickName, {text(nickName)}); error.isValid())
            return error;
        return run(db, insertPayee, {text(nickName), text(payeeName)});
    });
}

QSqlError listLayoutBankNames(const QSqlDatabase &db, QStringList *bankNames)
{
    return listColumn(db, selectAllLayouts, QStringLiteral("Bankname"), bankNames);
}

QSqlError findLayout(const QSqlDatabase &db, const QString &bankName,
                     std::optional<LayoutRow> *layout)
{
    layout->reset();
    QSqlQuery query(db);
    if (QSqlError error = run(db, selectLayoutByBank, {text(bankName)}, &query); error.isValid())
        return error;
    if (query.next())
        *layout = layoutFrom(query);
    return query.lastError();
}

QSqlError replaceLayout(const QSqlDatabase &db, const LayoutRow &layout)
{
    QVariantList values{text(layout.scaleMode), text(layout.bankName)};
    for (const std::optional<double> &position : layout.positions)
        values << (position ? QVariant(*position) : QVariant());
    return inTransaction(db, [&] {
        if (QSqlError error = run(db, deleteLayoutByBank, {text(layout.bankName)});
            error.isValid())
            return error;
        return run(db, insertLayout, values);
    });
}

QSqlError findWordsChoice(const QSqlDatabase &db, const QString &bankName, WordsChoice *choice)
{
    *choice = {};
    // A file that could not be given the table (read-only) has no choices.
    if (!hasAddedTable(db, QStringLiteral("WordsChoice")))
        return {};
    QSqlQuery query(db);
    if (QSqlError error = run(db, selectWordsChoiceByBank, {text(bankName)}, &query);
        error.isValid())
        return error;
    if (query.next())
        *choice = {query.value(0).toBool(), query.value(1).toBool()};
    return query.lastError();
}

QSqlError replaceWordsChoice(const QSqlDatabase &db, const QString &bankName,
                             const WordsChoice &choice)
{
    return inTransaction(db, [&] {
        if (QSqlError error = run(db, deleteWordsChoiceByBank, {text(bankName)}); error.isValid())
            return error;
        return run(db, insertWordsChoice,
                   {text(bankName), int(choice.breakByWidth), int(choice.fillAfterWords)});
    });
}

QSqlError addRegisterRow(const QSqlDatabase &db, const RegisterRow &entry)
{
    return run(db, insertRegisterEntry,
               {entry.dateOfCheque, text(entry.payeeName), text(entry.bankName),
                text(entry.amount), text(entry.chequeNo)});
}

QSqlError selectRegisterEntries(const QSqlDatabase &db, const QString &bankName,
                                const QDate &from, const QDate &to, QSqlQuery *query)
{
    // A grid model moves back and forth in its rows: not forward-only.
    return run(db, selectRegisterByBankAndDates, {text(bankName), from, to}, query, false);
}

QSqlError findLeafImage(const QSqlDatabase &db, const QString &bankName,
                        std::optional<LeafImageRow> *leaf)
{
    leaf->reset();
    // No leaf was ever attached to a bank of this file.
    if (!hasAddedTable(db, QStringLiteral("LeafImage")))
        return {};
    QSqlQuery query(db);
    if (QSqlError error = run(db, selectLeafImageByBank, {text(bankName)}, &query);
        error.isValid())
        return error;
    if (query.next())
        *leaf = LeafImageRow{query.value(0).toByteArray(), query.value(1).toByteArray(),
                             query.value(2).toDouble(), query.value(3).toDouble(),
                             query.value(4).toDouble(), query.value(5).toDouble()};
    return query.lastError();
}

QSqlError replaceLeafImage(const QSqlDatabase &db, const QString &bankName,
                           const LeafImageRow &leaf)
{
    return inTransaction(db, [&] {
        if (QSqlError error = createTableOnFirstUse(db, createLeafImageTable); error.isValid())
            return error;
        return run(db, replaceLeafImageByBank,
                   {text(bankName), leaf.image, leaf.screenImage, leaf.widthMm, leaf.heightMm, leaf.leftMm,
                    leaf.topMm});
    });
}

QSqlError updateLeafPlace(const QSqlDatabase &db, const QString &bankName,
                          const LeafImageRow &leaf)
{
    return run(db, updateLeafPlaceByBank,
               {leaf.widthMm, leaf.heightMm, leaf.leftMm, leaf.topMm, text(bankName)});
}

} // namespace store
