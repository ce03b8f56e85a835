#include "scalemode.h"

#include <array>
#include <utility>

namespace {

const std::array<std::pair<QLatin1String, int>, 4> names{{
    {QLatin1String("Inches"), ScaleInches},
    {QLatin1String("Cms"), ScaleCentimetres},
    {QLatin1String("mms"), ScaleMillimetres},
    {QLatin1String("Pixels"), ScalePixels},
}};

} // namespace

int scaleModeFor(const QString &scaleModeName)
{
    for (const auto &[name, number] : names) {
        if (scaleModeName == name)
            return number;
    }
    return ScaleInches;
}

QString scaleModeName(int scaleMode)
{
    for (const auto &[name, number] : names) {
        if (scaleMode == number)
            return name;
    }
    return names[0].first;
}
