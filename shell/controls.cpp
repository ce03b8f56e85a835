#include "controls.h"

#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>

namespace {

class EnterKeyGuard : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

// Enter on the button it watches presses that button.
class EnterPressesButton : public QObject
{
public:
    explicit EnterPressesButton(QPushButton *button)
        : QObject(button), m_button(button)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                m_button->click();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPushButton *m_button;
};

// The control of the chain that comes first after the window itself.
qsizetype firstInWindowChain(const QList<QWidget *> &chain)
{
    QWidget *window = chain.first()->window();
    for (QWidget *w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
        for (qsizetype i = 0; i < chain.size(); ++i) {
            if (chain[i] == w || chain[i]->isAncestorOf(w))
                return i;
        }
    }
    return 0;
}

} // namespace

QComboBox *newTypingComboBox(const QString &name, QWidget *parent)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(name);
    list->setEditable(true);
    list->setCompleter(nullptr);
    list->setInsertPolicy(QComboBox::NoInsert);
    return list;
}

QPushButton *newButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

void ignoreEnterIn(QComboBox *list)
{
    list->installEventFilter(new EnterKeyGuard(list));
}

void setTabChain(const QList<QWidget *> &order)
{
    // Qt leaves a pair alone when either takes no focus.
    QList<QWidget *> chain;
    for (QWidget *control : order) {
        if (control->focusPolicy() != Qt::NoFocus)
            chain << control;
    }
    const qsizetype n = chain.size();
    for (qsizetype i = 1; i < n; ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);

    // Qt takes the last control of the window followed by its first as in
    // order already, so the ring may start at a later control. Each control
    // before the first is moved to the end: after the control before the
    // last, and then the last after that control again.
    if (n < 3)
        return;
    for (qsizetype i = firstInWindowChain(chain); i != 0; i = (i + 1) % n) {
        QWidget *beforeLast = chain[(i + n - 2) % n];
        QWidget::setTabOrder(beforeLast, chain[i]);
        QWidget::setTabOrder(beforeLast, chain[(i + n - 1) % n]);
    }
}

void tabOnlyToChosenOption(const QList<QAbstractButton *> &options)
{
    const auto follow = [options] {
        for (QAbstractButton *option : options)
            option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    };
    for (QAbstractButton *option : options)
        QObject::connect(option, &QAbstractButton::toggled, option, follow);
    follow();
}

void pressButtonsOnlyWithFocus(QDialog *window)
{
    for (QPushButton *button : window->findChildren<QPushButton *>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
        button->installEventFilter(new EnterPressesButton(button));
    }
}
