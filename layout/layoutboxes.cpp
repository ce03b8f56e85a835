#include "layoutboxes.h"

#include <utility>

namespace {

LayoutDesigner &installedDesigner()
{
    static LayoutDesigner designer;
    return designer;
}

} // namespace

void setLayoutDesigner(LayoutDesigner designer)
{
    installedDesigner() = std::move(designer);
}

const LayoutDesigner &layoutDesigner()
{
    return installedDesigner();
}
