#pragma once

#include <QString>

// The user's short date form with the year written in full. The report's
// pickers reach from 1601 to 9999, where a two-digit year would not tell
// the century, so a locale whose short form has "yy" gets "yyyy" instead.
QString shortDateFormat();
