#pragma once

// Helpers for tests that drive a window: where its controls stand, the order
// Tab visits them, what a combo box lists, what the user was told, and what
// the data file holds. Header only, for any test folder.

#include "recordedmessages.h"
#include "twips.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

// A control (its name, or a label's text), its parent's name, its place in
// twips and its caption (text or title); a null caption is not checked.
struct Place
{
    QString control;
    QString parent;
    QRect twips;
    QString caption = {};
};

// Compares every control of the table; a failure names the control.
inline void checkPlaces(const QWidget *window, const QList<Place> &places)
{
    for (const Place &place : places) {
        const QWidget *found = window->findChild<QWidget *>(place.control);
        for (const QLabel *label : window->findChildren<QLabel *>())
            if (label->text() == place.control)
                found = label;
        QVERIFY2(found, qPrintable(place.control));
        auto describe = [&](const QString &parent, QRect rect, const QString &caption) {
            return QStringLiteral("%1 in %2 at %3,%4 %5x%6 \"%7\"")
                .arg(place.control, parent)
                .arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height())
                .arg(caption);
        };
        const QString caption = found->property("text").toString()
                                + found->property("title").toString();
        const QRect expected = twips(place.twips.x(), place.twips.y(), place.twips.width(),
                                     place.twips.height());
        QCOMPARE(describe(found->parentWidget()->objectName(), found->geometry(),
                          place.caption.isNull() ? QString() : caption),
                 describe(place.parent, expected, place.caption));
    }
}

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
