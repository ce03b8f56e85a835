#pragma once

#include <QString>

// The printer's numbered units, as the printer's ScaleMode takes them, and
// the Scalemode texts of a layout that select them. Kept apart from both the
// layouts and the printer, which each need them.
enum ScaleModeNumber {
    ScalePixels = 3,
    ScaleInches = 5,
    ScaleMillimetres = 6,
    ScaleCentimetres = 7,
};

// The unit a layout's Scalemode text selects. The name must match exactly,
// letter case included; any other text, an empty one or none means inches.
int scaleModeFor(const QString &scaleModeName);

// The Scalemode text of a unit, as the layout window offers it, for messages.
QString scaleModeName(int scaleMode);
