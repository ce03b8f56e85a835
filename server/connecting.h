#pragma once

#include "serveraddress.h"
#include "serverstart.h"

class QWidget;

namespace server {

// Tries the server, asking for the password while libpq has none or the
// server refuses the one given; the password typed stays in *address, in
// memory only. The check's problem is the last one met.
store::ServerCheck tryWithPassword(store::ServerAddress *address, QWidget *parent = nullptr);

// At start: turns the program to the chosen server once it answers; on a
// problem, says what failed and offers to try again or to use the local
// data file this time. True when the server is in use.
bool useChosenServerAtStart(const store::ServerAddress &chosen);

} // namespace server
