#pragma once

#include <QList>
#include <QString>

class QComboBox;
class QWidget;

// A drop-down list that also takes typing. Typed text stays as typed: no
// completion, and nothing is added to the list.
QComboBox *newTypingComboBox(const QString &name, QWidget *parent);

// Enter in such a list would choose the listed item matching the typed text
// and run its choice handler over what the user typed elsewhere; where that
// must not happen, Enter does nothing in the list.
void ignoreEnterIn(QComboBox *list);

// Sets the keyboard order: each control after the one before it.
void setTabChain(const QList<QWidget *> &order);
