#include "layoutstore.h"

#include "layoutjson.h"
#include "positivepaystatements.h"

namespace positivepay {

QSqlError allLayouts(const QSqlDatabase &db, QList<Layout> *layouts)
{
    *layouts = builtInLayouts();
    QList<store::PayLayoutRow> rows;
    const QSqlError error = store::listPayLayouts(db, &rows);
    for (const store::PayLayoutRow &row : rows) {
        Layout layout;
        // A built-in name in the table, or text no layout, is passed over.
        if (layoutFromJson(row.definition, &layout) && !isBuiltIn(row.name)) {
            layout.name = row.name;
            layouts->append(layout);
        }
    }
    return error;
}

bool findLayout(const QList<Layout> &layouts, const QString &name, Layout *layout)
{
    for (const Layout &candidate : layouts) {
        if (candidate.name == name) {
            *layout = candidate;
            return true;
        }
    }
    return false;
}

QSqlError saveLayout(const QSqlDatabase &db, const Layout &layout)
{
    return store::savePayLayout(db, {layout.name, layoutToJson(layout)});
}

} // namespace positivepay
