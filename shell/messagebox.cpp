#include "messagebox.h"

#include "messages.h"

#include <QApplication>
#include <QMessageBox>

namespace {

QMessageBox::Icon boxIcon(Messages::Icon icon)
{
    switch (icon) {
    case Messages::Icon::Information:
        return QMessageBox::Information;
    case Messages::Icon::Critical:
        return QMessageBox::Critical;
    case Messages::Icon::Question:
        return QMessageBox::Question;
    case Messages::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

void showMessageBox(const Messages::Message &message)
{
    QMessageBox box(boxIcon(message.icon), message.title, message.text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool askWithMessageBox(const Messages::Message &question)
{
    QMessageBox box(boxIcon(question.icon), question.title, question.text,
                    QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace

void installMessageBoxPresenter()
{
    Messages::setPresenter(showMessageBox);
    Messages::setAsker(askWithMessageBox);
}
