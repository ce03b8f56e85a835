#include "truesize.h"

#include "database.h"
#include "failure.h"
#include "messages.h"
#include "runmemory.h"
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

RunMemory<double> &keptMeasures()
{
    static RunMemory<double> measures;
    return measures;
}

} // namespace

std::optional<double> keptScreenMeasure(const QString &screenName, double scaleFactor)
{
    // A measure that cannot be read leaves the screen's own word, which
    // is right on most screens.
    const QString name = measureName(screenName, scaleFactor);
    const std::optional<double> measured
        = keptMeasures().value(name, [&](std::optional<double> *measure) {
              const store::Connection connection(QStringLiteral("keptScreenMeasure"));
              return connection.isOpen()
                  && !store::findScreenScale(connection.database(), name, measure).isValid();
          });
    if (measured && *measured > 0)
        return measured;
    return std::nullopt;
}

bool keepScreenMeasure(const QString &screenName, double scaleFactor, double pixelsPerMillimetre)
{
    const QString name = measureName(screenName, scaleFactor);
    const store::Connection connection(QStringLiteral("keepScreenMeasure"));
    QSqlError error = connection.error();
    if (!error.isValid())
        error = store::replaceScreenScale(connection.database(), name, pixelsPerMillimetre);
    if (error.isValid()) {
        Messages::show(store::failureText(QStringLiteral("keep the screen's measure"), error),
                       Messages::Icon::Critical);
        return false;
    }
    keptMeasures().remember(name, pixelsPerMillimetre);
    return true;
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
