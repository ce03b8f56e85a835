#pragma once

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Adds one bank at a time: its MICR code, its name and the currency of its
// account. It only adds; banks are never listed, changed or removed here.
class frmBNK : public QDialog
{
    Q_OBJECT
public:
    explicit frmBNK(QWidget *parent = nullptr);

public slots:
    void cmdSave_Click();
    void cmdClose_Click();

private:
    void createControls();
    void placeControls();
    void setTabOrder();

    QGroupBox *Frame1 = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *Text1 = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *Text2 = nullptr;
    QLabel *Label3 = nullptr;
    QComboBox *Text3 = nullptr;
    QPushButton *cmdSave = nullptr;
    QPushButton *cmdClose = nullptr;
};
