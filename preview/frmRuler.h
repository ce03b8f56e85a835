#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class RulerBar;

// Measures the screen once: the user makes the bar as wide as a credit
// card (85.60 mm) held against the screen, and OK keeps how many pixels
// make a millimetre on this screen.
class frmRuler : public QDialog
{
    Q_OBJECT
public:
    explicit frmRuler(QWidget *parent = nullptr);

    static constexpr double cardWidthMillimetres = 85.60;

public slots:
    void OK_Click();

private:
    void createControls();
    void placeControls();

    QLabel *lblHelp = nullptr;
    RulerBar *barCard = nullptr;
    QPushButton *OK = nullptr;
    QPushButton *Cancel = nullptr;
};
