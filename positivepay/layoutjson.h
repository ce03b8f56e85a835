#pragma once

#include "paylayout.h"

#include <QByteArray>

// A layout as the text kept in the data file, and back.
namespace positivepay {

QByteArray layoutToJson(const Layout &layout);
// False when the text is no layout this program wrote.
bool layoutFromJson(const QByteArray &json, Layout *layout);

} // namespace positivepay
