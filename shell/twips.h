#pragma once

#include <QRect>
#include <QSize>

// Window geometry is given in twips (1440 to the inch). These turn twips
// into pixels at the screen's logical DPI, so windows keep their proportions
// on a high-DPI screen.
int twipsToPixels(int twips);
QRect twips(int left, int top, int width, int height);
QSize twipsSize(int width, int height);
