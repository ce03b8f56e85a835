#pragma once

#include <QString>
#include <optional>

class QScreen;

// How many of the screen's pixels make one millimetre: the user's own
// measure of that screen when one is kept, else what the screen reports of
// its size.
double screenPixelsPerMillimetre(const QScreen *screen);

// Keeps the user's measure of the screen; shows why it could not be kept
// and returns false when it could not.
bool keepScreenPixelsPerMillimetre(const QScreen *screen, double pixelsPerMillimetre);

// The same by the screen's name and scale factor (its device pixel ratio):
// a measure holds only at the scale it was taken at, since the screen's
// pixels change size with the scale.
std::optional<double> keptScreenMeasure(const QString &screenName, double scaleFactor);
bool keepScreenMeasure(const QString &screenName, double scaleFactor, double pixelsPerMillimetre);
