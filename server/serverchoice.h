#pragma once

#include "serveraddress.h"

#include <optional>

// The shared register a user chose, kept per user (QSettings) for the
// next starts. The password is never kept.
namespace server {

std::optional<store::ServerAddress> chosenServer();
void keepServerChoice(const store::ServerAddress &address);
// The program starts on the local data file again.
void forgetServerChoice();

} // namespace server
