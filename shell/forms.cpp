#include "forms.h"

#include <QApplication>
#include <QHash>
#include <QPointer>
#include <memory>

namespace Forms {
namespace {

struct Entry {
    Factory factory;
    QPointer<QDialog> instance;
};

QHash<QString, Entry> &registry()
{
    static QHash<QString, Entry> forms;
    return forms;
}

// Working windows open centred over the window they were opened from.
void centreOverActiveWindow(QDialog *form)
{
    const QWidget *opener = QApplication::activeWindow();
    if (!opener)
        return;
    form->move(opener->frameGeometry().center() - form->rect().center());
}

} // namespace

void registerForm(const QString &name, Factory factory)
{
    registry()[name].factory = std::move(factory);
}

void showModal(const QString &name)
{
    auto found = registry().find(name);
    if (found == registry().end() || !found->factory)
        return;
    if (found->instance) {  // already open: bring it forward
        found->instance->raise();
        found->instance->activateWindow();
        return;
    }
    std::unique_ptr<QDialog> form(found->factory());
    if (!form)
        return;
    found->instance = form.get();
    centreOverActiveWindow(form.get());
    form->exec();
}

QDialog *openInstance(const QString &name)
{
    auto found = registry().constFind(name);
    return found == registry().constEnd() ? nullptr : found->instance.data();
}

} // namespace Forms
