#include "rulerbar.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

const int start = 8;  // where the bar begins, in pixels from the left

} // namespace

RulerBar::RulerBar(QWidget *parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::SizeHorCursor);
}

void RulerBar::setLength(double pixels)
{
    m_length = qBound(1.0, pixels, double(width() - 2 * start));
    update();
}

void RulerBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRectF bar(start, 4, m_length, height() - 8);
    painter.fillRect(bar, hasFocus() ? palette().highlight() : palette().mid());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawLine(bar.topLeft(), bar.bottomLeft());
    painter.drawLine(bar.topRight(), bar.bottomRight());
    painter.drawText(bar, Qt::AlignCenter, QStringLiteral("85.60 mm"));
}

void RulerBar::mousePressEvent(QMouseEvent *event)
{
    setLength(event->position().x() - start);
}

void RulerBar::mouseMoveEvent(QMouseEvent *event)
{
    setLength(event->position().x() - start);
}

void RulerBar::keyPressEvent(QKeyEvent *event)
{
    const double step = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
    if (event->key() == Qt::Key_Right)
        setLength(m_length + step);
    else if (event->key() == Qt::Key_Left)
        setLength(m_length - step);
    else
        QWidget::keyPressEvent(event);
}
