#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;

// Restore: the copies of the data file with what each holds; the one
// chosen (or another file) is put in the data file's place.
class frmRestore : public QDialog
{
    Q_OBJECT
public:
    explicit frmRestore(const QString &dataPath, QWidget *parent = nullptr);

public slots:
    void cmdRestore_Click();
    void cmdOtherFile_Click();
    void cmdFolder_Click();

private:
    void createControls();
    void placeControls();
    void setTabOrder();
    void listCopies();
    void restore(const QString &copyPath, const QString &described);

    QString m_dataPath;
    QLabel *lblCopies = nullptr;
    QTreeWidget *lstCopies = nullptr;
    QPushButton *cmdRestore = nullptr;
    QPushButton *cmdOtherFile = nullptr;
    QPushButton *cmdFolder = nullptr;
    QPushButton *cmdClose = nullptr;
};
