#pragma once

#include <QList>
#include <QRect>
#include <QSqlDatabase>
#include <QStringList>

class QComboBox;
class QWidget;
class RecordedMessages;

// Every row a query gives, each value as text; a missing value reads "NULL".
QList<QStringList> rowsOf(QSqlDatabase db, const QString &select);

// Each message shown, as its icon and its text: "Information: Data Saved".
QStringList shownMessages(const RecordedMessages &recorded);

QStringList itemsOf(const QComboBox *box);

// Chooses an item from a combo box's list as a click on it does: the item
// becomes current, then the box reports it activated.
void chooseItem(QComboBox *box, const QString &text);

// Shows the window and presses Tab count - 1 times: the names of the
// controls that hold the focus, starting with the one it opens on.
QStringList focusOrder(QWidget *window, int count);

// A table of where controls stand: the control (its name, or a label's
// text), the name of its parent, its place in twips and its caption.
void addPlaceColumns();
void newPlaceRow(const QString &control, const QString &parent, const QRect &twipsPlace,
                 const QString &caption = QString());
// Checks the current row's control in the window.
void comparePlace(const QWidget *window);
