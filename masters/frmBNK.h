#pragma once

#include <QDialog>

class frmBNK : public QDialog
{
    Q_OBJECT
public:
    explicit frmBNK(QWidget *parent = nullptr);
};
