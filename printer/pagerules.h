#pragma once

#include <QPageLayout>
#include <QPointF>
#include <QRectF>
#include <QString>

// The rules a page follows on paper and in the preview alike, so that the
// preview shows what the printer prints.

// The face printed where no other will do (package fonts-dejavu-core).
QString substituteFace();

// The face printed for a font name: the name itself when a font carries
// it; left to itself, font matching would pick any face for an unknown one.
QString printedFace(const QString &name);

// The part of the page the printer can print on, in points from the page's
// top-left corner. The printer describes its unprintable edges for upright
// paper, and Qt passes them on unturned.
QRectF printableArea(const QPageLayout &layout);
QPointF printableCorner(const QPageLayout &layout);  // the area's top-left

// How many of the printer's dots one unit of the numbered scale mode spans
// (3 dots, 5 inches, 6 millimetres, 7 centimetres).
double dotsPerUnit(int scaleMode, int dotsPerInch);

class QPrinter;

// Each sets the page of the printer as the numbered setting asks, and
// returns why it cannot (empty when it could).
QString applyOrientation(QPrinter &printer, int orientation);  // 1 portrait, 2 landscape
QString applyPaperSize(QPrinter &printer, int paperSize);      // 20 the #10 envelope
// Why the numbered scale mode is no unit (empty when it is one).
QString scaleModeProblem(int scaleMode);
