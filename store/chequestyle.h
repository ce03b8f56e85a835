#pragma once

#include <QRectF>
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <optional>

namespace store {

// How a bank's cheques print the date and the crossing, and the standard
// leaf the layout was started from. A bank without a row prints both as
// they always have: the date "dd/MMM/yyyy", the words "A/c Payee only".
struct ChequeStyle {
    enum DateStyle { ClassicDate, DigitsInBoxes, NumericDate, LongDate };
    enum CrossingStyle { ClassicCrossing, CrossingLines };
    enum CrossingWords { AccountPayeeOnly, NotNegotiable, AndCompany, NoWords };

    int dateStyle = ClassicDate;
    // Digits in boxes and numeric: 0 day, month, year; 1 month, day, year;
    // 2 year, month, day. Long: 0 "December 7, 2026", 1 "7 December 2026".
    int dateOrder = 0;
    // The digits' boxes, in the layout's unit; the first box's corner is
    // the date's place. A height of 0 is the text's own.
    double boxWidth = 0;
    double boxHeight = 0;
    double gapAfterFirst = 0;   // after the first group: DD, MM or YYYY
    double gapAfterSecond = 0;  // after the second

    int crossingStyle = ClassicCrossing;
    int crossingWords = AccountPayeeOnly;
    // The two lines: their slope in degrees (anticlockwise), length and
    // gap, and the middle between them from the leaf's top-left corner, in
    // millimetres, so they stay on the leaf whatever the layout's unit.
    double crossingAngle = 45;
    double crossingLength = 26;
    double crossingGap = 6;
    double crossingLeft = 15;
    double crossingTop = 12.5;

    QString standardLeaf;    // the standard leaf the layout started from, or empty
    double leafWidthMm = 0;  // that leaf's size, when one was chosen
    double leafHeightMm = 0;
    double micrBandMm = 0;   // the bottom band kept clear for the MICR line; 0 none

    bool operator==(const ChequeStyle &) const = default;
};

// The statement that makes the table, for the schema.
QString createChequeStyleTable();

// ChequeStyle, keyed by bank name; the defaults when the bank has no row.
QSqlError findChequeStyle(const QSqlDatabase &db, const QString &bankName, ChequeStyle *style);
QSqlError replaceChequeStyle(const QSqlDatabase &db, const QString &bankName,
                             const ChequeStyle &style);

// The bank's leaf, in millimetres from the printable area's corner: the
// place of its leaf image (or of the measures saved in the editor), else
// the standard leaf chosen, at the corner; nothing when neither is known.
QSqlError findLeafPlace(const QSqlDatabase &db, const QString &bankName,
                        std::optional<QRectF> *leafMm);

} // namespace store
