#pragma once

#include "registerstatements.h"

// The statements of printing a run of cheques. Values are bound; each
// function returns an invalid QSqlError on success.
namespace store {

// The name to print of the payee whose name is this one, compared without
// regard to case; nullopt when no payee has it.
QSqlError findPayeeByName(const QSqlDatabase &db, const QString &name,
                          std::optional<QString> *payeeName);

} // namespace store
