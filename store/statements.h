#pragma once

#include <QByteArray>
#include <QDate>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// Every statement the program runs, one function each. Values are bound as
// parameters; each function returns an invalid QSqlError on success.
namespace store {

struct BankRow {
    QString micrCode;
    QString bankName;
    QString currency;
};

// The fifteen numbers of a cheque layout, in the table's column order.
enum LayoutPosition {
    DateTop, DateLeft, Datewidth,
    nameTop, nameleft, namewidth,
    AmtinWords1Top, AmtinWords1Left, AmtinWords1Width,
    AmtinWords2Top, AmtinWords2Left, AmtinWords2Width,
    AmtTop, AmtLeft, AmtWidth,
    LayoutPositionCount
};
extern const std::array<QString, LayoutPositionCount> layoutPositionColumns;

struct LayoutRow {
    QString scaleMode;  // a null text where the column holds no value
    QString bankName;
    std::array<std::optional<double>, LayoutPositionCount> positions;
};

// How a bank's cheques print the amount in words; the classic rule when
// neither is chosen.
struct WordsChoice {
    bool breakByWidth = false;    // whole words, as many as the printed lines hold
    bool fillAfterWords = false;  // a rule of hyphens after the words
};

// A scanned blank cheque leaf of one bank, shown under the items on the
// screen and never printed: the image file's bytes, its physical size and
// where its top-left corner lies from the printable area's corner, in mm.
struct LeafImageRow {
    QByteArray image;
    QByteArray screenImage;  // a smaller copy that opens quickly on the screen
    double widthMm = 203.2;
    double heightMm = 93.1;
    double leftMm = 0;
    double topMm = 0;
};

struct RegisterRow {
    QDate dateOfCheque;
    QString payeeName;
    QString bankName;
    QString amount;
    QString chequeNo;
};

// Bank
QSqlError listBankNames(const QSqlDatabase &db, QStringList *names);
QSqlError addBank(const QSqlDatabase &db, const BankRow &bank);
// nullopt when the bank has no row; a null text when its currency is empty.
QSqlError findBankCurrency(const QSqlDatabase &db, const QString &bankName,
                           std::optional<QString> *currency);

// Payee
QSqlError listPayeeNickNames(const QSqlDatabase &db, QStringList *nickNames);
// nullopt when no payee has the nick name; a null text when its name is empty.
QSqlError findPayeeName(const QSqlDatabase &db, const QString &nickName,
                        std::optional<QString> *payeeName);
// Deletes every row of the nick name and adds one, in one transaction.
QSqlError replacePayee(const QSqlDatabase &db, const QString &nickName,
                       const QString &payeeName);

// Positions
QSqlError listLayoutBankNames(const QSqlDatabase &db, QStringList *bankNames);
// nullopt when the bank has no layout; the first row when it has several.
QSqlError findLayout(const QSqlDatabase &db, const QString &bankName,
                     std::optional<LayoutRow> *layout);
// Deletes every layout of the bank and adds this one, in one transaction.
QSqlError replaceLayout(const QSqlDatabase &db, const LayoutRow &layout);

// WordsChoice, keyed by bank name. A bank without a row keeps the classic rule.
QSqlError findWordsChoice(const QSqlDatabase &db, const QString &bankName, WordsChoice *choice);
// Replaces the bank's choice, in one transaction.
QSqlError replaceWordsChoice(const QSqlDatabase &db, const QString &bankName,
                             const WordsChoice &choice);

// ChqIssuereg. The row alone: cheques are added with their number's key by
// addRegisterEntry (registerstatements.h).
QSqlError addRegisterRow(const QSqlDatabase &db, const RegisterRow &entry);
// Leaves *query active on the bank's cheques dated from..to, both included,
// every column in table order, ready for a QSqlQueryModel.
QSqlError selectRegisterEntries(const QSqlDatabase &db, const QString &bankName,
                                const QDate &from, const QDate &to, QSqlQuery *query);

// LeafImage, keyed by bank name. *leaf is left empty when the bank has none.
QSqlError findLeafImage(const QSqlDatabase &db, const QString &bankName,
                        std::optional<LeafImageRow> *leaf);
// Replaces the bank's leaf, in one transaction; the table is made on first use.
QSqlError replaceLeafImage(const QSqlDatabase &db, const QString &bankName,
                           const LeafImageRow &leaf);
// Sets the size and place of the bank's leaf, its image left as it is.
QSqlError updateLeafPlace(const QSqlDatabase &db, const QString &bankName,
                          const LeafImageRow &leaf);

} // namespace store
