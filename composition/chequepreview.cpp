#include "chequepreview.h"

#include <utility>

namespace {

ChequePreview &installedPreview()
{
    static ChequePreview preview;
    return preview;
}

} // namespace

void setChequePreview(ChequePreview preview)
{
    installedPreview() = std::move(preview);
}

const ChequePreview &chequePreview()
{
    return installedPreview();
}
