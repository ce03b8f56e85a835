#pragma once

#include "paylayout.h"

#include <QDialog>

class FieldGrid;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// The Positive Pay layouts: the built-in ones to look at or start from,
// and the user's own to make, change and save, with a preview of the
// first lines each writes.
class frmPayLayout : public QDialog
{
    Q_OBJECT
public:
    explicit frmPayLayout(QWidget *parent = nullptr);

    // The layout the window was left on: the one to choose for a bank.
    QString chosenName() const;

public slots:
    void cmbName_Activated(int index);
    void cmdSave_Click();
    void updatePreview();

private:
    void createControls();
    void createFieldControls();
    void placeControls();
    void setTabOrder();
    void loadLayouts();
    void showLayout(const positivepay::Layout &layout);
    positivepay::Layout layoutShown() const;
    template <class Control>
    Control *add(Control *control, const QString &name);

    QList<positivepay::Layout> layouts;
    QLabel *lblName = nullptr;
    QComboBox *cmbName = nullptr;
    QRadioButton *optDelimited = nullptr;
    QLineEdit *txtDelimiter = nullptr;
    QRadioButton *optFixed = nullptr;
    QCheckBox *chkHeader = nullptr;
    QCheckBox *chkAscii = nullptr;
    QLabel *lblDate = nullptr;
    QComboBox *cmbDate = nullptr;
    QLabel *lblAmount = nullptr;
    QComboBox *cmbAmount = nullptr;
    QLabel *lblIssue = nullptr;
    QLineEdit *txtIssue = nullptr;
    QLabel *lblVoid = nullptr;
    QLineEdit *txtVoid = nullptr;
    QCheckBox *chkTrailer = nullptr;
    QLineEdit *txtTrailer = nullptr;
    FieldGrid *grdFields = nullptr;
    QPushButton *cmdAdd = nullptr;
    QPushButton *cmdRemove = nullptr;
    QPushButton *cmdUp = nullptr;
    QPushButton *cmdDown = nullptr;
    QLabel *lblPreview = nullptr;
    QPlainTextEdit *txtPreview = nullptr;
    QPushButton *cmdSave = nullptr;
    QPushButton *cmdClose = nullptr;
};
