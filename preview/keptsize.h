#pragma once

class QWidget;

// A window the user may resize opens at the size it last had, within the
// screen it opens on.
void resizeToKeptSize(QWidget *window);
// Keeps the window's size for the next time, when it differs from the kept one.
void keepWindowSize(const QWidget *window);
