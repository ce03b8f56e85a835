#include "readtables.h"

#include "jetreader.h"

namespace jet {

QString readJetTables(const QString &path, const QList<JetTableColumns> &tables,
                      JetTableRows *rows, const RowsRead &rowsRead)
{
    rows->clear();
    const JetReader reader(path);
    if (!reader.error().isEmpty())
        return reader.error();
    QStringList missing;
    for (const JetTableColumns &table : tables)
        missing << reader.missing(table.table, table.columns);
    if (!missing.isEmpty())
        return QStringLiteral("it lacks %1").arg(missing.join(QStringLiteral(", ")));
    for (const JetTableColumns &table : tables) {
        const int index = int(rows->size());
        QList<QVariantList> tableRows;
        const auto rowRead = [&](qint64 count) {
            if (rowsRead)
                rowsRead(index, count);
        };
        if (QString problem = reader.readTable(table.table, table.columns, &tableRows, rowRead);
            !problem.isEmpty())
            return problem;
        rows->append(tableRows);
    }
    return {};
}

} // namespace jet
