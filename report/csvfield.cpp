#include "csvfield.h"

#include <algorithm>

namespace {

bool startsAFormula(QByteArrayView field)
{
    if (field.isEmpty())
        return false;
    switch (field.front()) {
    case '=':
    case '+':
    case '-':
    case '@':
    case '\t':
    case '\r': return true;
    default: return false;
    }
}

bool needsQuotes(QByteArrayView field)
{
    return std::any_of(field.begin(), field.end(), [](char c) {
        return c == ',' || c == '"' || c == '\n' || c == '\r';
    });
}

} // namespace

void appendCsvField(QByteArray *line, QByteArrayView field)
{
    const bool quoted = needsQuotes(field);
    if (quoted)
        line->append('"');
    if (startsAFormula(field))
        line->append('\'');
    if (!quoted) {
        line->append(field);
        return;
    }
    for (char c : field) {
        if (c == '"')
            line->append('"');
        line->append(c);
    }
    line->append('"');
}
