#include "tablecolumns.h"

namespace store {

const std::array<TableColumns, TableCount> &tableColumns()
{
    // Made on first use, so statements made at start-up can use it.
    static const std::array<TableColumns, TableCount> tables = {{
        {QStringLiteral("Bank"), {"MICRCODE", "Bankname", "Currency"}},
        {QStringLiteral("Payee"), {"PayeeNickName", "Payeename"}},
        {QStringLiteral("Positions"),
         {"Scalemode", "Bankname", "DateTop", "DateLeft", "Datewidth", "nameTop", "nameleft",
          "namewidth", "AmtinWords1Top", "AmtinWords1Left", "AmtinWords1Width", "AmtinWords2Top",
          "AmtinWords2Left", "AmtinWords2Width", "AmtTop", "AmtLeft", "AmtWidth"}},
        {QStringLiteral("ChqIssuereg"),
         {"DateofChq", "Payeename", "BankName", "PAyeeamt", "ChequeNo"}},
    }};
    return tables;
}

QString insertStatement(TableId table)
{
    const TableColumns &columns = tableColumns()[table];
    const QStringList placeholders(columns.columns.size(), QStringLiteral("?"));
    return QStringLiteral("Insert into %1 (%2) values (%3)")
        .arg(columns.table, columns.columns.join(QStringLiteral(", ")),
             placeholders.join(QStringLiteral(", ")));
}

} // namespace store
