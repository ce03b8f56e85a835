#pragma once

#include <QWidget>

// A bar whose right end the user drags, or moves with the arrow keys (one
// pixel, ten with Shift), to the edge of a card held against the screen.
class RulerBar : public QWidget
{
    Q_OBJECT
public:
    explicit RulerBar(QWidget *parent = nullptr);

    double length() const { return m_length; }  // in pixels
    void setLength(double pixels);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    double m_length = 0;
};
