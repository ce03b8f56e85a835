#pragma once

#include <QDialog>

class QGroupBox;
class QKeySequence;
class QLabel;
class QPushButton;

// The main menu: one button for each working window, and Exit.
class frmMain : public QDialog
{
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);

public slots:
    void cmdAddBnk_Click();
    void cmdChqSetup_Click();
    void cmdPayeeAdd_Click();
    void cmdPRtChq_Click();
    void cmdChqRep_Click();
    void cmdExit_Click();
    void cmdMore_Click();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void createControls();
    void placeControls();
    void setTabOrder();
    void addMenuEntries();
    void addMenuEntry(const QString &name, const QString &caption, const QKeySequence &key,
                      const QString &window);
    void showKeysInMenu();
    QPushButton *addButton(const QString &name, const QString &caption,
                           void (frmMain::*handler)());

    QGroupBox *Frame1 = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QPushButton *cmdAddBnk = nullptr;
    QPushButton *cmdChqSetup = nullptr;
    QPushButton *cmdPayeeAdd = nullptr;
    QPushButton *cmdPRtChq = nullptr;
    QPushButton *cmdChqRep = nullptr;
    QPushButton *cmdExit = nullptr;
    QPushButton *cmdMore = nullptr;
};
