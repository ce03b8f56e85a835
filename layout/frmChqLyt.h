#pragma once

#include <QDialog>

class frmChqLyt : public QDialog
{
    Q_OBJECT
public:
    explicit frmChqLyt(QWidget *parent = nullptr);
};
