#pragma once

#include <QString>
#include <functional>

// The one road every message box takes. Windows and routines call
// Messages::show(); the program installs a presenter that shows a real
// QMessageBox, and tests install one that records the message instead.
// Every box has a single OK button, so a presenter only has to show it.
namespace Messages {

enum class Icon { None, Information, Critical };

struct Message {
    QString text;
    Icon icon = Icon::None;
    QString title;
};

inline const QString applicationTitle = QStringLiteral("Quillmark");

using Presenter = std::function<void(const Message &)>;

// Installs a presenter and returns the one it replaces.
Presenter setPresenter(Presenter presenter);

void show(const QString &text, Icon icon = Icon::None,
          const QString &title = applicationTitle);

} // namespace Messages
