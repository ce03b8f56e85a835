#pragma once

// Helpers for tests that drive a window: its controls, what the user was
// told, and what the data file holds. Header only, for any test folder.

#include "recordedmessages.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <QTimer>
#include <functional>

// The window's control holding a widget (the text part of a list, say).
inline QString controlOf(QWidget *widget)
{
    while (widget && (widget->objectName().isEmpty() || widget->objectName().startsWith("qt_")))
        widget = widget->parentWidget();
    return widget ? widget->objectName() : QString();
}

// The window's control of that name; a test naming a missing one stops.
template <typename Control = QWidget>
Control *control(QWidget *window, const QString &name)
{
    auto *found = window->findChild<Control *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

// Shows the window and waits until it has the keyboard, as a user's would.
inline bool shownActive(QWidget *window)
{
    window->show();
    return QTest::qWaitForWindowActive(window);
}

// Chooses an item as a click on it does: it becomes current, then is reported activated.
inline void chooseItem(QComboBox *box, const QString &text)
{
    const int index = box->findText(text);
    box->setCurrentIndex(index);
    emit box->activated(index);
}

// Runs `steps` in the next modal window (of that name, if one is given)
// once it is open.
inline void inNextModal(const std::function<void(QWidget *)> &steps, const QString &name = {})
{
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, steps, name] {
        QWidget *window = QApplication::activeModalWidget();
        if (window && window->isVisible() && (name.isEmpty() || window->objectName() == name)) {
            timer->deleteLater();
            timer->stop();
            steps(window);
        }
    });
    timer->start(10);
}

// Fills the print window: a listed bank is chosen, any other typed; the
// amount (unless null) is typed and left with Tab, which words it.
inline void fillPrintWindow(QWidget *window, const QString &bank, const QString &name,
                            const QString &amount, const QString &chequeNo = QStringLiteral("000123"))
{
    auto *banks = control<QComboBox>(window, QStringLiteral("cmbBnk"));
    if (banks->findText(bank) >= 0)
        chooseItem(banks, bank);
    else
        banks->setEditText(bank);
    control<QLineEdit>(window, QStringLiteral("Text1"))->setText(name);
    control<QLineEdit>(window, QStringLiteral("txtChqNo"))->setText(chequeNo);
    if (amount.isNull())
        return;
    auto *box = control<QLineEdit>(window, QStringLiteral("Text2"));
    box->setFocus();
    box->setText(amount);
    QTest::keyClick(box, Qt::Key_Tab);
}

// Each message shown as its icon and text: "Information: Data Saved".
inline QStringList shownMessages(const RecordedMessages &recorded)
{
    static const QStringList iconNames{"None", "Information", "Critical", "Question"};
    QStringList shown;
    for (const Messages::Message &message : recorded.all())
        shown << iconNames[int(message.icon)] + QStringLiteral(": ") + message.text;
    return shown;
}

// Every row a query gives, each value as text; a missing value reads "NULL".
inline QList<QStringList> rowsOf(QSqlDatabase db, const QString &select)
{
    QSqlQuery query(db);
    if (!query.exec(select))
        qWarning() << select << query.lastError().text();
    QList<QStringList> rows;
    while (query.next()) {
        QStringList row;
        for (int i = 0; i < query.record().count(); ++i)
            row << (query.isNull(i) ? QStringLiteral("NULL") : query.value(i).toString());
        rows << row;
    }
    return rows;
}
