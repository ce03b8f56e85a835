#pragma once

#include <QDialog>

class frmPayee : public QDialog
{
    Q_OBJECT
public:
    explicit frmPayee(QWidget *parent = nullptr);
};
