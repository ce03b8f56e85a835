#pragma once

#include <QDialog>

class frmPrtChq : public QDialog
{
    Q_OBJECT
public:
    explicit frmPrtChq(QWidget *parent = nullptr);
};
