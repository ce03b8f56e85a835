#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QTimer;

// The splash shown at start. After one second it gives way to the main
// menu; a key press or a click on its frame ends the program instead.
class frmSplash : public QDialog
{
    Q_OBJECT
public:
    explicit frmSplash(QWidget *parent = nullptr);

public slots:
    void Timer1_Timer();
    void Frame1_Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void placeControls();
    void unloadAndEnd();

    QGroupBox *Frame1 = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *lblProductName = nullptr;
    QTimer *Timer1 = nullptr;
};
