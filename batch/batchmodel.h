#pragma once

#include "batchcheck.h"

#include <QAbstractTableModel>

// The batch's cheques as the window's table shows them: a tick for the
// rows to print, the cheque as it will print, and its status. Rows that
// cannot print are grey, with the reason in full as their tip.
class BatchModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column {
        Included, Bank, Payee, Amount, Words, Date, Number, Crossed, Status, ColumnCount
    };

    using QAbstractTableModel::QAbstractTableModel;

    void setCheques(QList<BatchCheque> cheques);
    QList<BatchCheque> &cheques() { return m_cheques; }
    // Shows the cheques again after they were checked anew.
    void chequesChecked();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    // The user ticked a row or took its tick away.
    void inclusionChanged();

private:
    QVariant text(const BatchCheque &cheque, int column) const;

    QList<BatchCheque> m_cheques;
};
