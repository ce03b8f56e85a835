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

} // namespace Messages
