#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QStringList>

class QComboBox;
class QWidget;

// Every row a query gives, each value as text; a missing value reads "NULL".
QList<QStringList> rowsOf(QSqlDatabase db, const QString &select);

// Chooses an item from a combo box's list as a click on it does: the item
// becomes current, then the box reports it activated.
void chooseItem(QComboBox *box, const QString &text);

// Shows the window and presses Tab count - 1 times: the names of the
// controls that hold the focus, starting with the one it opens on.
QStringList focusOrder(QWidget *window, int count);
