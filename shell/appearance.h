#pragma once

// The windows were drawn for MS Sans Serif 8.25 pt: their captions fit
// their controls only in a face that narrow. Sets that face (through an
// installed look-alike) as the program's font.
void applyClassicAppearance();
