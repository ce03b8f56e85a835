#include "formtesting.h"

#include <QApplication>
#include <QComboBox>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

QList<QStringList> rowsOf(QSqlDatabase db, const QString &select)
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

void chooseItem(QComboBox *box, const QString &text)
{
    const int index = box->findText(text);
    if (index < 0)
        qWarning() << "no item" << text << "in" << box->objectName();
    box->setCurrentIndex(index);
    emit box->activated(index);
}

QStringList focusOrder(QWidget *window, int count)
{
    window->show();
    if (!QTest::qWaitForWindowActive(window))
        return {};
    QStringList names;
    for (int i = 0; i < count; ++i) {
        QWidget *focus = QApplication::focusWidget();
        if (!focus)
            break;
        names << focus->objectName();
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    return names;
}
