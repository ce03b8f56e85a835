#pragma once

#include "paylayout.h"

// How one value becomes a field of a record.
namespace positivepay {

// Makes the value fit the field: accents taken off in an ASCII layout, cut
// to the width where the layout says cut, filled to the width in a fixed
// record and quoted in a delimited one where it holds the delimiter, a
// quote or a line end. Returns why it cannot fit, or an empty text.
QString fitField(const Layout &layout, const FieldSpec &fieldSpec, QString *text);

// The text filled to the field's width on the side away from its alignment.
QString padded(const FieldSpec &fieldSpec, const QString &text);

// The fields of one record, joined as the layout's format joins them.
QString joinRecord(const Layout &layout, const QStringList &fields);

// The characters of a fixed-width record.
int recordWidth(const Layout &layout);

} // namespace positivepay
