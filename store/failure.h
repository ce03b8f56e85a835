#pragma once

#include <QSqlError>
#include <QString>

namespace store {

// The message a user sees when a database step fails: what could not be
// done, what the database said, and which file it was.
QString failureText(const QString &whatFailed, const QSqlError &error);

} // namespace store
