#pragma once

#include "serveraddress.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

// Shared Register: the PostgreSQL server the register is kept on instead
// of the local data file. Connect tries it and keeps the choice for the
// next start; Use Local Data File goes back to the file.
class frmServer : public QDialog
{
    Q_OBJECT
public:
    explicit frmServer(QWidget *parent = nullptr);

public slots:
    void cmdConnect_Click();
    void cmdUseFile_Click();
    void cmdBrowse_Click();

private:
    void createControls();
    void createTlsControls();
    void placeControls();
    void setTabOrder();
    static store::ServerAddress chosenOrFresh();
    void showAddress(const store::ServerAddress &address);
    store::ServerAddress addressTyped() const;
    QString missingInAddress(const store::ServerAddress &address) const;
    void allowCertificate();
    QLabel *addLabel(const QString &name, const QString &caption);
    QLineEdit *addBox(const QString &name, QLabel *label);

    QLabel *lblHost = nullptr;
    QLineEdit *txtHost = nullptr;
    QLabel *lblPort = nullptr;
    QSpinBox *txtPort = nullptr;
    QLabel *lblDatabase = nullptr;
    QLineEdit *txtDatabase = nullptr;
    QLabel *lblUser = nullptr;
    QLineEdit *txtUser = nullptr;
    QGroupBox *fraTls = nullptr;
    QRadioButton *optTlsNone = nullptr;
    QRadioButton *optTlsRequire = nullptr;
    QRadioButton *optTlsVerify = nullptr;
    QLineEdit *txtRootCertificate = nullptr;
    QPushButton *cmdBrowse = nullptr;
    QLabel *lblPasswordNote = nullptr;
    QLabel *lblInUse = nullptr;
    QPushButton *cmdUseFile = nullptr;
    QPushButton *cmdConnect = nullptr;
    QPushButton *cmdCancel = nullptr;
};
