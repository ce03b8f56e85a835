#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

// The standard leaves a layout can start from, one to choose.
class frmStandardLeaf : public QDialog
{
    Q_OBJECT
public:
    explicit frmStandardLeaf(QWidget *parent);

    int chosen() const;  // in standardLeaves(); -1 when none is

private:
    void createControls();
    void placeControls();

    QListWidget *lstLeaves = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
};
