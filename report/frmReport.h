#pragma once

#include <QDialog>

class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QPushButton;
class QSqlError;
class QTableView;
class RegisterActions;
class RegisterModel;

// The cheque issue register report: the cheques of one bank issued between
// two dates, listed in a grid.
class frmReport : public QDialog
{
    Q_OBJECT
public:
    explicit frmReport(QWidget *parent = nullptr);

public slots:
    void Form_Load();
    void Command1_Click();

private:
    void createControls();
    void placeControls();
    void setTabOrder();
    QLabel *addLabel(const QString &name, const QString &caption);
    QDateEdit *addDatePicker(const QString &name);
    void showFailure(const QString &whatFailed, const QSqlError &error);
    void followOtherDesks();
    void showChangesOfOtherDesks();

    QGroupBox *Frame2 = nullptr;
    QLabel *Label1 = nullptr;
    QDateEdit *DTPicker1 = nullptr;
    QLabel *Label2 = nullptr;
    QDateEdit *DTPicker2 = nullptr;
    QLabel *Label3 = nullptr;
    QComboBox *cmbBnk = nullptr;
    QPushButton *Command1 = nullptr;
    QGroupBox *Frame1 = nullptr;
    QTableView *DataGrid1 = nullptr;
    RegisterModel *registerRows = nullptr;
    RegisterActions *actions = nullptr;
};
