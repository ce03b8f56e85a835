#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <optional>

// How many pixels make a millimetre on each screen, as the user measured it
// against a card of known width, for screens that report their size wrongly.
// The table is made the first time a measure is kept; until then no screen
// has one. Each returns an invalid QSqlError on success.
namespace store {

// nullopt when the screen has no measure kept.
QSqlError findScreenScale(const QSqlDatabase &db, const QString &screenName,
                          std::optional<double> *pixelsPerMillimetre);
// Keeps the screen's measure in place of any earlier one, in one transaction.
QSqlError replaceScreenScale(const QSqlDatabase &db, const QString &screenName,
                             double pixelsPerMillimetre);

} // namespace store
