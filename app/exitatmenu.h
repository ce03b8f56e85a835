#pragma once

// For checking that an installed copy starts: with QUILLMARK_EXIT_AT_MENU
// set, the program says so on standard output and ends with status 0 as soon
// as its main menu is shown. Without it, this does nothing.
void exitAtMainMenuWhenAsked();
