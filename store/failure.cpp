#include "failure.h"

#include "database.h"

#include <QDir>

namespace store {

QString failureText(const QString &whatFailed, const QSqlError &error)
{
    return QStringLiteral("Could not %1.\n\n%2\n\nData file: %3")
        .arg(whatFailed, error.text().trimmed(),
             QDir::toNativeSeparators(databaseFilePath()));
}

} // namespace store
