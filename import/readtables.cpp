#include "readtables.h"

#include "jetreader.h"

namespace jet {

QString readJetTables(const QString &path, const QList<JetTableColumns> &tables,
                      const std::function<void(int table, QVariantList &&row)> &rowRead)
{
    const JetReader reader(path);
    if (!reader.error().isEmpty())
        return reader.error();
    QStringList missing;
    for (const JetTableColumns &table : tables)
        missing << reader.missing(table.table, table.columns);
    if (!missing.isEmpty())
        return QStringLiteral("it lacks %1").arg(missing.join(QStringLiteral(", ")));
    for (int index = 0; index < tables.size(); ++index) {
        const auto tableRow = [&](QVariantList &&row) { rowRead(index, std::move(row)); };
        if (QString problem = reader.readTable(tables[index].table, tables[index].columns, tableRow);
            !problem.isEmpty())
            return problem;
    }
    return {};
}

} // namespace jet
