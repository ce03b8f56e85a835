#pragma once

#include "chequepage.h"

#include <QString>
#include <functional>
#include <optional>

class QWidget;

// Shows a cheque as it would print, over the window it is asked from.
// Returns the printer the user chose to print it on from there, or nothing
// when the preview was closed without printing.
using ChequePreview =
    std::function<std::optional<QString>(QWidget *parent, const ChequeItems &items)>;

// The preview is a library of its own that builds on this one; the program
// installs it here. Without one the print window offers no preview.
void setChequePreview(ChequePreview preview);
const ChequePreview &chequePreview();
