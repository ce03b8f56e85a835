#pragma once

#include <QDialog>
#include <QString>
#include <functional>

// Keeps the single instance of each working window. A window is created
// when it is shown and unloaded when it closes, so every showing runs its
// opening steps afresh, as its user expects; while it is open, asking for
// it again gives the same window.
namespace Forms {

// A factory may give no window, having told the user why.
using Factory = std::function<QDialog *()>;

void registerForm(const QString &name, Factory factory);

// Shows the named window modally and returns when it has closed.
void showModal(const QString &name);

// The named window while it is open, otherwise nullptr.
QDialog *openInstance(const QString &name);

} // namespace Forms
