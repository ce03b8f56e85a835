#include "messages.h"

#include <QDebug>

namespace Messages {
namespace {

// Without a presenter (a program without widgets) a message still reaches
// someone: the standard error stream.
void printToStandardError(const Message &message)
{
    qWarning().noquote() << message.title + QStringLiteral(": ") + message.text;
}

Presenter &currentPresenter()
{
    static Presenter presenter = printToStandardError;
    return presenter;
}

// Nobody to ask: the question is written down and answered No.
bool answerNo(const Message &question)
{
    printToStandardError(question);
    return false;
}

Asker &currentAsker()
{
    static Asker asker = answerNo;
    return asker;
}

} // namespace

Presenter setPresenter(Presenter presenter)
{
    Presenter previous = std::move(currentPresenter());
    currentPresenter() = presenter ? std::move(presenter) : printToStandardError;
    return previous;
}

void show(const QString &text, Icon icon, const QString &title)
{
    currentPresenter()(Message{text, icon, title});
}

Asker setAsker(Asker asker)
{
    Asker previous = std::move(currentAsker());
    currentAsker() = asker ? std::move(asker) : answerNo;
    return previous;
}

bool ask(const QString &text, const QString &title)
{
    return currentAsker()(Message{text, Icon::Question, title});
}

} // namespace Messages
