#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// Back Up Now: a checked copy of the data file, taken while the program
// runs, into a file the user chooses (a USB stick, say).
class frmBackup : public QDialog
{
    Q_OBJECT
public:
    explicit frmBackup(const QString &dataPath, QWidget *parent = nullptr);

public slots:
    void cmdBrowse_Click();
    void cmdBackUp_Click();
    void reject() override;

private:
    void createControls();
    void placeControls();
    void setTabOrder();
    void allowChoosing(bool allowed);
    bool showProgress(int copied, int total);

    QString m_dataPath;
    bool m_copying = false;
    bool m_cancelled = false;
    QLabel *lblTarget = nullptr;
    QLineEdit *txtTarget = nullptr;
    QPushButton *cmdBrowse = nullptr;
    QProgressBar *prgCopy = nullptr;
    QPushButton *cmdBackUp = nullptr;
    QPushButton *cmdCancel = nullptr;
};
