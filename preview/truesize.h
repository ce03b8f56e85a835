#pragma once

#include <QString>

class QScreen;

// How many of the screen's pixels make one millimetre: the user's own
// measure of that screen when one is kept, else what the screen reports of
// its size.
double screenPixelsPerMillimetre(const QScreen *screen);

// Keeps the user's measure of the screen; shows why it could not be kept
// and returns false when it could not.
bool keepScreenPixelsPerMillimetre(const QScreen *screen, double pixelsPerMillimetre);
