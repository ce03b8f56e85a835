#include "batchmodel.h"

#include "samepayment.h"

#include <QBrush>
#include <QPalette>

namespace {

const QStringList headers{QStringLiteral("Print"),  QStringLiteral("Bank"),
                          QStringLiteral("Payee"),  QStringLiteral("Amount"),
                          QStringLiteral("Amount in Words"), QStringLiteral("Date"),
                          QStringLiteral("Cheque No"), QStringLiteral("Crossed"),
                          QStringLiteral("Status")};

// The reason's first paragraph; the tip holds the whole.
QString shortReason(const QString &problem)
{
    return problem.section(QStringLiteral("\n\n"), 0, 0);
}

// A cell shows the start of a long text: the row's reason says what is wrong.
QString cellText(const QString &text)
{
    const int longest = 200;
    return text.size() > longest ? text.left(longest) + u'…' : text;
}

QString status(const BatchCheque &cheque)
{
    if (!cheque.ready())
        return shortReason(cheque.problem);
    if (cheque.samePayment.isEmpty())
        return QStringLiteral("ready");
    return cheque.included ? QStringLiteral("ready, though %1").arg(cheque.samePayment)
                           : QStringLiteral("Tick to print: %1").arg(cheque.samePayment);
}

} // namespace

void BatchModel::setCheques(QList<BatchCheque> cheques)
{
    beginResetModel();
    m_cheques = std::move(cheques);
    endResetModel();
}

void BatchModel::chequesChecked()
{
    if (!m_cheques.isEmpty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

int BatchModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_cheques.size());
}

int BatchModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant BatchModel::text(const BatchCheque &cheque, int column) const
{
    const bool read = !cheque.items.payeeName.isEmpty();
    switch (column) {
    case Bank:
        return cheque.row.bank;
    case Payee:
        return read ? cheque.items.payeeName : cheque.row.payee;
    case Amount:
        return cheque.items.amount.isEmpty() ? cheque.row.amount : cheque.items.amount;
    case Words:
        return cheque.items.amountInWords;
    case Date:
        return cheque.items.date.isValid() ? plainDateText(cheque.items.date) : cheque.row.date;
    case Number:
        return cheque.chequeNo;
    case Crossed:
        return cheque.items.crossed ? QStringLiteral("A/c Payee") : QStringLiteral("Bearer");
    case Status:
        return status(cheque);
    }
    return {};
}

QVariant BatchModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const BatchCheque &cheque = m_cheques[index.row()];
    if (role == Qt::CheckStateRole && index.column() == Included)
        return cheque.included ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::DisplayRole)
        return cellText(text(cheque, index.column()).toString());
    if (role == Qt::ToolTipRole && !cheque.ready())
        return cheque.problem;
    if (role == Qt::ForegroundRole && (!cheque.ready() || !cheque.included))
        return QBrush(QPalette().color(QPalette::Disabled, QPalette::Text));
    return {};
}

bool BatchModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.column() != Included || role != Qt::CheckStateRole)
        return false;
    m_cheques[index.row()].included = value.toInt() == Qt::Checked;
    emit dataChanged(index.siblingAtColumn(0), index.siblingAtColumn(ColumnCount - 1));
    emit inclusionChanged();
    return true;
}

Qt::ItemFlags BatchModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.column() == Included && !m_cheques[index.row()].printed)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QVariant BatchModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return m_cheques[section].row.line;  // the file's line, as the reasons name them
    return headers.value(section);
}
