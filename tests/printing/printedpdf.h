#pragma once

// What the CUPS PDF printer that scripts/cups.sh sets up as the default wrote.

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

struct PdfWord {
    QString text;
    QRectF box;  // as pdftotext -bbox gives it: points, y downwards
    int page;    // from 1
};

// Runs a program to its end and gives its output; warns when it fails.
QString run(const QString &program, const QStringList &arguments);
// Why the test printer cannot be used (empty when it can): never a real one.
QString testPrinterProblem();
void clearPdfFolder();
// The one PDF the printer wrote, once the spooler has no job left; none
// (and a warning) when there is not exactly one.
QString printedPdf();
QList<PdfWord> pdfWords(const QString &pdf, QSizeF *pageSize = nullptr);

// The printable area's corner of the test printer's envelope
// (scripts/cups.sh) on the landscape page, in points: the 684-point high
// envelope turned a quarter counter-clockwise (its left-to-right runs up
// the paper).
const QPointF origin(27, 18);
// The words with their boxes on the landscape page, in points from the
// printable area's corner, left to right.
QList<PdfWord> placedWords(QList<PdfWord> words);
