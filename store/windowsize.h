#pragma once

#include <QSize>
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <optional>

// The size the user last gave a window that can be resized, in the screen's
// logical pixels, keyed by the window's name. The table is made the first
// time a size is kept. Each returns an invalid QSqlError on success.
namespace store {

// nullopt when the window has no size kept.
QSqlError findWindowSize(const QSqlDatabase &db, const QString &windowName,
                         std::optional<QSize> *size);
// Keeps the window's size in place of any earlier one, in one transaction.
QSqlError replaceWindowSize(const QSqlDatabase &db, const QString &windowName, QSize size);

} // namespace store
