#pragma once

#include "statements.h"

// Appends a printed cheque to the issue register, on a connection of its
// own. The cheque is on paper by then, so when the row cannot be written
// the user is told plainly that it is not recorded, with everything needed
// to record it by hand. Returns whether the row was written.
bool enterInRegister(const store::RegisterRow &cheque);
