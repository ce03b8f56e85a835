#pragma once

#include "paylayout.h"

#include <QSqlDatabase>
#include <QSqlError>

// The layouts a bank can take: those built in, then the user's own.
namespace positivepay {

QSqlError allLayouts(const QSqlDatabase &db, QList<Layout> *layouts);
// Finds the layout of the name; false when there is none.
bool findLayout(const QList<Layout> &layouts, const QString &name, Layout *layout);
// Keeps a user's layout; a built-in name is refused before this is called.
QSqlError saveLayout(const QSqlDatabase &db, const Layout &layout);

} // namespace positivepay
