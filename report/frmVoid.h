#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Asks why a cheque is void: spoiled in printing, cancelled, lost, or
// another reason the user types.
class frmVoid : public QDialog
{
    Q_OBJECT
public:
    explicit frmVoid(const QString &chequeNo, QWidget *parent = nullptr);

    // The reason chosen or typed, once accepted.
    QString reason() const;

public slots:
    void cmdOK_Click();

private:
    void createControls(const QString &chequeNo);
    void placeControls();
    void setTabOrder();
    QRadioButton *addChoice(const QString &name, const QString &caption);

    QLabel *lblQuestion = nullptr;
    QRadioButton *optSpoiled = nullptr;
    QRadioButton *optCancelled = nullptr;
    QRadioButton *optLost = nullptr;
    QRadioButton *optOther = nullptr;
    QLineEdit *txtOther = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
};
