#include "keptsize.h"

#include "runmemory.h"
#include "windowsize.h"

#include <QScreen>
#include <QWidget>

namespace {

RunMemory<QSize> &keptSizes()
{
    static RunMemory<QSize> sizes;
    return sizes;
}

std::optional<QSize> keptSize(const QString &windowName)
{
    // A size that cannot be read leaves the window's own.
    return keptSizes().value(windowName, [&](std::optional<QSize> *size) {
        const store::Connection connection(QStringLiteral("keptSize"));
        return connection.isOpen()
            && !store::findWindowSize(connection.database(), windowName, size).isValid();
    });
}

} // namespace

void resizeToKeptSize(QWidget *window)
{
    QSize size = keptSize(window->objectName()).value_or(window->size());
    if (const QScreen *screen = window->screen())
        size = size.boundedTo(screen->availableGeometry().size());
    window->resize(size.expandedTo(window->minimumSize()));
}

void keepWindowSize(const QWidget *window)
{
    if (keptSize(window->objectName()) == window->size())
        return;
    // A size that cannot be kept is not worth a message: the window opens
    // at its own size next time, and nothing the user entered is lost.
    const store::Connection connection(QStringLiteral("keepWindowSize"));
    if (connection.isOpen()
        && !store::replaceWindowSize(connection.database(), window->objectName(), window->size())
                .isValid())
        keptSizes().remember(window->objectName(), window->size());
}
