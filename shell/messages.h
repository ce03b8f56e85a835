#pragma once

#include <QString>
#include <functional>

// The one road every message box takes. Windows and routines call
// Messages::show(); the program installs a presenter that shows a real
// QMessageBox, and tests install one that records the message instead.
// A message box has a single OK button, so a presenter only has to show it;
// a question (Messages::ask) goes to an asker, which answers Yes or No.
namespace Messages {

enum class Icon { None, Information, Critical, Question };

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

// Answers a question: true for Yes. Without an asker the answer is No, the
// safe one.
using Asker = std::function<bool(const Message &)>;

// Installs an asker and returns the one it replaces.
Asker setAsker(Asker asker);

// Asks a Yes/No question, No the default button.
bool ask(const QString &text, const QString &title = applicationTitle);

} // namespace Messages
