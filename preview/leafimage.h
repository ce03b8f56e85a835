#pragma once

#include "statements.h"

#include <QImage>
#include <QRectF>
#include <QString>
#include <optional>

// A bank's scanned blank leaf, ready to draw under the cheque's items on the
// screen (it is never printed).
struct LeafImage {
    QImage image;
    QRectF millimetres;  // its place from the printable area's corner, and its size
};

// Decoded anew, or decoded once for the run and kept with the last few
// leaves (the preview, opened again and again for one bank's cheques).
enum class LeafDecoding { Anew, KeptForTheRun };

LeafImage leafImageFrom(const store::LeafImageRow &row, LeafDecoding decoding = LeafDecoding::Anew);

// The bank's leaf, read on a connection of its own; nothing when the bank
// has none or when it cannot be read or decoded (the user is told why).
std::optional<LeafImage> loadLeafImage(const QString &bankName,
                                       LeafDecoding decoding = LeafDecoding::Anew);

// Takes an image file the user picked as the leaf's image, with a copy for
// the screen, or returns why it cannot be one (empty when it can): too
// large, unreadable, or not a PNG or JPEG. Size and place are left alone.
// The bank's leaf's place and size in millimetres, with an image or without
// (a standard leaf chosen); nothing when neither is known or it cannot be read.
std::optional<QRectF> loadLeafOutline(const QString &bankName);

QString readLeafImageFile(const QString &path, store::LeafImageRow *leaf);
