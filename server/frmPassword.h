#pragma once

#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

// Asks for the password of a server's user when libpq has none; it is kept
// in memory only, for this run of the program.
class frmPassword : public QDialog
{
    Q_OBJECT
public:
    explicit frmPassword(const QString &reason, QWidget *parent = nullptr);

    // The password typed, or nothing when the user cancelled.
    static std::optional<QString> ask(const QString &reason, QWidget *parent = nullptr);

private:
    void createControls(const QString &reason);
    void placeControls();
    void setTabOrder();

    QLabel *lblReason = nullptr;
    QLabel *lblPassword = nullptr;
    QLineEdit *txtPassword = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
};
