#include "truesize.h"

#include "database.h"
#include "failure.h"
#include "messages.h"
#include "screenscale.h"

#include <QScreen>
#include <cmath>

namespace {

// The name the measure is kept under: the screen's own at 100%, as before
// scale factors were told apart, and with the scale otherwise.
QString measureName(const QString &screenName, double scaleFactor)
{
    if (scaleFactor == 1)
        return screenName;
    return QStringLiteral("%1 at %2%").arg(screenName).arg(std::lround(scaleFactor * 100));
}

} // namespace

std::optional<double> keptScreenMeasure(const QString &screenName, double scaleFactor)
{
    // A measure that cannot be read leaves the screen's own word, which
    // is right on most screens.
    const store::Connection connection(QStringLiteral("keptScreenMeasure"));
    std::optional<double> measured;
    if (connection.isOpen())
        (void)store::findScreenScale(connection.database(),
                                     measureName(screenName, scaleFactor), &measured);
    if (measured && *measured > 0)
        return measured;
    return std::nullopt;
}

bool keepScreenMeasure(const QString &screenName, double scaleFactor, double pixelsPerMillimetre)
{
    const store::Connection connection(QStringLiteral("keepScreenMeasure"));
    QSqlError error = connection.error();
    if (!error.isValid())
        error = store::replaceScreenScale(connection.database(),
                                          measureName(screenName, scaleFactor),
                                          pixelsPerMillimetre);
    if (error.isValid())
        Messages::show(store::failureText(QStringLiteral("keep the screen's measure"), error),
                       Messages::Icon::Critical);
    return !error.isValid();
}

double screenPixelsPerMillimetre(const QScreen *screen)
{
    return keptScreenMeasure(screen->name(), screen->devicePixelRatio())
        .value_or(screen->physicalDotsPerInch() / 25.4);
}

bool keepScreenPixelsPerMillimetre(const QScreen *screen, double pixelsPerMillimetre)
{
    return keepScreenMeasure(screen->name(), screen->devicePixelRatio(), pixelsPerMillimetre);
}
