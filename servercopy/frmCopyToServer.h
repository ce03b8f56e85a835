#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Copy This File's Data to the Server: the data file's rows brought into a
// shared register set up and still empty, signed in as its owner.
class frmCopyToServer : public QDialog
{
    Q_OBJECT
public:
    explicit frmCopyToServer(const QString &dataPath, QWidget *parent = nullptr);

public slots:
    void cmdCopy_Click();

private:
    void createControls();
    void placeControls();
    void setTabOrder();
    QLineEdit *newBox(const QString &name, const QString &text);

    QString m_dataPath;
    QLabel *lblNote = nullptr;
    QLabel *lblFile = nullptr;
    QLabel *lblHost = nullptr;
    QLineEdit *txtHost = nullptr;
    QLabel *lblPort = nullptr;
    QLineEdit *txtPort = nullptr;
    QLabel *lblDatabase = nullptr;
    QLineEdit *txtDatabase = nullptr;
    QLabel *lblUser = nullptr;
    QLineEdit *txtUser = nullptr;
    QLabel *lblPassword = nullptr;
    QLineEdit *txtPassword = nullptr;
    QPushButton *cmdCopy = nullptr;
    QPushButton *cmdCancel = nullptr;
};
