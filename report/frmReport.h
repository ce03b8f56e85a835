#pragma once

#include <QDialog>

class frmReport : public QDialog
{
    Q_OBJECT
public:
    explicit frmReport(QWidget *parent = nullptr);
};
