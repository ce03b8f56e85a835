#pragma once

#include <QList>
#include <QString>

class QAbstractButton;
class QComboBox;
class QDialog;
class QPushButton;
class QWidget;

// A drop-down list that also takes typing. Typed text stays as typed: no
// completion, and nothing is added to the list.
QComboBox *newTypingComboBox(const QString &name, QWidget *parent);

// A button with its name and caption.
QPushButton *newButton(const QString &name, const QString &caption, QWidget *parent);

// Enter in such a list would choose the listed item matching the typed text
// and run its choice handler over what the user typed elsewhere; where that
// must not happen, Enter does nothing in the list.
void ignoreEnterIn(QComboBox *list);

// Sets the keyboard order: each control after the one before it, the first
// being where the chain starts (what takes the focus when no control has
// it). Controls that take no focus keep their place in the list but are
// passed over.
void setTabChain(const QList<QWidget *> &order);

// Of a set of options, Tab lands only on the chosen one; the arrow keys
// move between them.
void tabOnlyToChosenOption(const QList<QAbstractButton *> &options);

// No button of the window is its default: Enter presses a button only while
// that button has the focus, so Enter in a box never closes the window or
// throws away what was typed.
void pressButtonsOnlyWithFocus(QDialog *window);
