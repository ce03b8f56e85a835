#pragma once

#include <QDialog>
#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
namespace store { class Connection; }

// Keeps the payees: pick a nick name to see and change its name on the
// cheque, or type a new nick name with its name. Saving replaces every row
// of the nick name by one.
class frmPayee : public QDialog
{
    Q_OBJECT
public:
    explicit frmPayee(QWidget *parent = nullptr);
    ~frmPayee() override;

public slots:
    void Form_Load();
    void cmbPayee_Click();
    void Command1_Click();
    void Command2_Click();

private:
    void createControls();
    void placeControls();
    void setTabOrder();

    QGroupBox *Frame1 = nullptr;
    QLabel *Label1 = nullptr;
    QComboBox *cmbPayee = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *Text1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;

    std::unique_ptr<store::Connection> connection;  // open while the window is
};
