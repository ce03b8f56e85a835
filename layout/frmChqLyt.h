#pragma once

#include "statements.h"

#include <QDialog>
#include <QStringList>
#include <array>
#include <memory>

class QCheckBox;
class LayoutBoxes;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
namespace store { class Connection; }

// The cheque layout of one bank at a time: the unit of measure and, for
// each printed item, its distance from the top, from the left and its
// width. Saving replaces the bank's layout.
class frmChqLyt : public QDialog
{
    Q_OBJECT
public:
    explicit frmChqLyt(QWidget *parent = nullptr);
    ~frmChqLyt() override;

public slots:
    void Form_Load();
    void cmb_Click();
    void cmdOK_Click();
    void cmdDesign_Click();
    void reject() override;

private:
    void createControls();
    void createPositionBoxes();
    void showBeginningOf(QLineEdit *box);
    void placeControls();
    void setTabOrder();
    void showLayout(const store::LayoutRow &layout);
    bool readLayout(store::LayoutRow *layout);
    void showWordsChoice(const QString &bankName);
    bool saveWordsChoice(const QString &bankName);
    QStringList shownTexts() const;

    QGroupBox *Frame1 = nullptr;
    QLabel *scaleModeLabel = nullptr;
    QComboBox *Combo1 = nullptr;
    QLabel *bankNameLabel = nullptr;
    QComboBox *cmb = nullptr;
    // One label and one box per position, in the order of store::LayoutPosition.
    std::array<QLabel *, store::LayoutPositionCount> positionLabels{};
    std::array<QLineEdit *, store::LayoutPositionCount> positionBoxes{};
    QPushButton *cmdOK = nullptr;
    // How the amount in words is printed, beyond the classic rule.
    QCheckBox *chkBreakByWidth = nullptr;
    QCheckBox *chkFillAfterWords = nullptr;
    QPushButton *cmdDesign = nullptr;  // the visual editor, when one is installed
    LayoutBoxes *boxes = nullptr;      // what the editor reads and moves

    std::unique_ptr<store::Connection> connection;  // open while the window is
    QStringList m_shown;  // as last read or saved, to tell what changed
};
