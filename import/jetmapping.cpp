#include "jetmapping.h"

#include "jetvalues.h"
#include "tablecolumns.h"

#include <QDateTime>

namespace jet {

using namespace store;

namespace {

QString describe(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QString: return QStringLiteral("the text \"%1\"").arg(value.toString());
    case QMetaType::Bool: return QStringLiteral("a Yes/No value");
    case QMetaType::QDate:
    case QMetaType::QDateTime: return QStringLiteral("the date %1").arg(value.toString());
    default: return QStringLiteral("the number %1").arg(value.toString());
    }
}

// Reads the values of one row, noting the first one that does not fit.
class RowValues
{
public:
    RowValues(JetTable table, qsizetype row, const QVariantList &values)
        : m_table(table), m_row(row), m_values(values) {}

    QString problem() const { return m_problem; }

    QString text(int column)
    {
        const QVariant &value = m_values[column];
        switch (value.typeId()) {
        case QMetaType::UnknownType: return QString();
        case QMetaType::QString: return value.toString();
        case QMetaType::Int: return QString::number(value.toInt());
        case QMetaType::Double: return plainDecimal(value.toDouble());
        }
        misfit(column, QStringLiteral("text"));
        return QString();
    }

    std::optional<double> number(int column)
    {
        const QVariant &value = m_values[column];
        switch (value.typeId()) {
        case QMetaType::UnknownType: return std::nullopt;
        case QMetaType::Int:
        case QMetaType::Double: return value.toDouble();
        case QMetaType::QString: {
            if (value.toString().trimmed().isEmpty())
                return std::nullopt;
            bool isNumber = false;
            const double number = value.toString().toDouble(&isNumber);
            if (isNumber)
                return number;
        }
        }
        misfit(column, QStringLiteral("a number"));
        return std::nullopt;
    }

    QDate date(int column)
    {
        const QVariant &value = m_values[column];
        switch (value.typeId()) {
        case QMetaType::UnknownType: return QDate();
        case QMetaType::QDate: return value.toDate();
        case QMetaType::QDateTime: return value.toDateTime().date();
        }
        misfit(column, QStringLiteral("a date"));
        return QDate();
    }

private:
    void misfit(int column, const QString &wanted)
    {
        if (!m_problem.isEmpty())
            return;
        const JetTableColumns &table = jetTables()[m_table];
        m_problem = QStringLiteral("in row %1 of table %2, column %3 holds %4, which is not %5")
                        .arg(m_row + 1)
                        .arg(table.table, table.columns[column], describe(m_values[column]),
                             wanted);
    }

    JetTable m_table;
    qsizetype m_row;
    const QVariantList &m_values;
    QString m_problem;
};

BankRow bankFrom(RowValues &values)
{
    return {values.text(0), values.text(1), values.text(2)};
}

PayeeRow payeeFrom(RowValues &values)
{
    return {values.text(0), values.text(1)};
}

LayoutRow layoutFrom(RowValues &values)
{
    LayoutRow layout{values.text(0), values.text(1), {}};
    for (int i = 0; i < LayoutPositionCount; ++i)
        layout.positions[i] = values.number(2 + i);
    return layout;
}

RegisterRow registerRowFrom(RowValues &values)
{
    return {values.date(0), values.text(1), values.text(2), values.text(3), values.text(4)};
}

template <typename Row>
QString mapTable(JetTable table, qsizetype firstRow, const QList<QVariantList> &jetRows,
                 Row (*rowFrom)(RowValues &), QList<Row> *rows)
{
    rows->reserve(rows->size() + jetRows.size());
    for (qsizetype i = 0; i < jetRows.size(); ++i) {
        RowValues values(table, firstRow + i, jetRows[i]);
        rows->append(rowFrom(values));
        if (!values.problem().isEmpty())
            return values.problem();
    }
    return {};
}

} // namespace

const std::array<JetTableColumns, JetTableCount> &jetTables()
{
    // The older program's tables have the columns of the store's own.
    static const std::array<JetTableColumns, JetTableCount> tables = [] {
        std::array<JetTableColumns, JetTableCount> jet;
        for (int table = 0; table < JetTableCount; ++table)
            jet[table] = {tableColumns()[table].table, tableColumns()[table].columns};
        return jet;
    }();
    return tables;
}

QString mapJetRows(JetTable table, qsizetype firstRow, const QList<QVariantList> &jetRows,
                   ImportRows *rows)
{
    switch (table) {
    case JetBank: return mapTable(table, firstRow, jetRows, bankFrom, &rows->banks);
    case JetPayee: return mapTable(table, firstRow, jetRows, payeeFrom, &rows->payees);
    case JetPositions: return mapTable(table, firstRow, jetRows, layoutFrom, &rows->layouts);
    case JetChqIssuereg:
        return mapTable(table, firstRow, jetRows, registerRowFrom, &rows->registerRows);
    case JetTableCount: break;
    }
    return {};
}

} // namespace jet
