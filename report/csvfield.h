#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Appends one field of a CSV line (RFC 4180) to *line: quoted when it holds
// a comma, a quote or a line break, its quotes doubled. A field a
// spreadsheet would run as a formula (one starting with =, +, -, @, a tab
// or a carriage return) is written with a leading apostrophe, so that the
// spreadsheet shows it as the text it is.
void appendCsvField(QByteArray *line, QByteArrayView field);
