#pragma once

#include "paylayout.h"

namespace positivepay {

// The first lines the layout writes for a few sample cheques (an issue, a
// payee with a comma and quotes, a void), or what is wrong with it.
QString previewText(const Layout &layout);

} // namespace positivepay
