#include "truesize.h"

#include "database.h"
#include "failure.h"
#include "messages.h"
#include "screenscale.h"

#include <QScreen>

double screenPixelsPerMillimetre(const QScreen *screen)
{
    // A measure that cannot be read leaves the screen's own word, which
    // is right on most screens.
    const store::Connection connection(QStringLiteral("screenPixelsPerMillimetre"));
    std::optional<double> measured;
    if (connection.isOpen())
        (void)store::findScreenScale(connection.database(), screen->name(), &measured);
    if (measured && *measured > 0)
        return *measured;
    return screen->physicalDotsPerInch() / 25.4;
}

bool keepScreenPixelsPerMillimetre(const QScreen *screen, double pixelsPerMillimetre)
{
    const store::Connection connection(QStringLiteral("keepScreenPixelsPerMillimetre"));
    QSqlError error = connection.error();
    if (!error.isValid())
        error = store::replaceScreenScale(connection.database(), screen->name(),
                                          pixelsPerMillimetre);
    if (error.isValid())
        Messages::show(store::failureText(QStringLiteral("keep the screen's measure"), error),
                       Messages::Icon::Critical);
    return !error.isValid();
}
