#pragma once

#include "registerstatements.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTableView;
class RegisterModel;

// The strip under the register grid: the totals of the rows shown, and what
// can be done with a chosen row (void it, undo the void, reprint it) or
// with all of them (export, print). Register rows themselves are never changed:
// a void is a mark kept with its history.
class RegisterActions : public QWidget
{
    Q_OBJECT
public:
    RegisterActions(RegisterModel *rows, QTableView *grid, QWidget *parent);

    QList<QWidget *> tabOrder() const;
    // Counts and sums the rows shown, void ones apart.
    void showTotals();

public slots:
    void cmdVoid_Click();
    void cmdUndoVoid_Click();
    void cmdReprint_Click();
    void cmdExport_Click();
    void cmdPrint_Click();

private:
    int chosenRow();
    bool reportShown(const QString &what);
    bool mark(int row, store::VoidAction action, const QString &reason);
    void reload(int row);

    RegisterModel *rows;
    QTableView *grid;
    QLabel *lblTotals = nullptr;
    QPushButton *cmdVoid = nullptr;
    QPushButton *cmdUndoVoid = nullptr;
    QPushButton *cmdReprint = nullptr;
    QPushButton *cmdExport = nullptr;
    QPushButton *cmdPrint = nullptr;
};
