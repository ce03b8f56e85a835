#pragma once

#include "datalocation.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// What the program is, its version, which data file it uses and which
// register (that file or a server); and, when there is one, the other
// ql.mdb it leaves unused. Reached by F1 in the main menu.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(const store::DataLocation &location, QWidget *parent = nullptr);

private:
    void createControls(const store::DataLocation &location);
    void placeControls();
    void setTabOrder();
    QLineEdit *addPathBox(const QString &name, const QString &path);

    QLabel *Image1 = nullptr;
    QLabel *lblProductName = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblLicence = nullptr;
    QLabel *lblDataFile = nullptr;
    QLineEdit *txtDataFile = nullptr;
    QLabel *lblUnusedFile = nullptr;
    QLineEdit *txtUnusedFile = nullptr;
    QLineEdit *txtRegister = nullptr;  // the file or the server
    QPushButton *cmdOK = nullptr;
};
