#pragma once

// Helpers for tests that drive a window: the order Tab visits its controls,
// what a combo box lists, what the user was told, and what the data file holds. Header only, for any test folder.

#include "recordedmessages.h"

#include <QApplication>
#include <QComboBox>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

// Shows the window and presses Tab from the control holding the focus: the
// first `count` controls visited (a control's inner parts, such as a date
// picker's fields, count as the control).
inline QStringList tabOrder(QWidget *window, int count)
{
    window->show();
    if (!QTest::qWaitForWindowActive(window))
        return {};
    QStringList names;
    for (int press = 0; press < 4 * count && names.size() < count; ++press) {
        QWidget *focus = QApplication::focusWidget();
        while (focus && (focus->objectName().isEmpty() || focus->objectName().startsWith("qt_")))
            focus = focus->parentWidget();
        if (!focus)
            break;
        if (names.isEmpty() || names.last() != focus->objectName())
            names << focus->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    return names;
}

inline QStringList itemsOf(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

// Chooses an item as a click on it does: it becomes current, then is reported activated.
inline void chooseItem(QComboBox *box, const QString &text)
{
    const int index = box->findText(text);
    box->setCurrentIndex(index);
    emit box->activated(index);
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
