#include "formtesting.h"

#include "recordedmessages.h"
#include "twips.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
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

QStringList shownMessages(const RecordedMessages &recorded)
{
    static const QStringList iconNames{"None", "Information", "Critical"};
    QStringList shown;
    for (const Messages::Message &message : recorded.all())
        shown << iconNames[int(message.icon)] + QStringLiteral(": ") + message.text;
    return shown;
}

QStringList itemsOf(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
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

void addPlaceColumns()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QString>("caption");
}

void newPlaceRow(const QString &control, const QString &parent, const QRect &twipsPlace,
                 const QString &caption)
{
    QTest::newRow(qPrintable(control)) << control << parent << twipsPlace << caption;
}

void comparePlace(const QWidget *window)
{
    QFETCH(QString, control);
    QFETCH(QString, parent);
    QFETCH(QRect, place);
    QFETCH(QString, caption);
    const QWidget *found = window->findChild<QWidget *>(control);
    for (const QLabel *label : window->findChildren<QLabel *>())
        if (label->text() == control)
            found = label;
    QVERIFY(found);
    QCOMPARE(found->parentWidget()->objectName(), parent);
    QCOMPARE(found->geometry(), twips(place.x(), place.y(), place.width(), place.height()));
    QCOMPARE(found->property("text").toString() + found->property("title").toString(), caption);
}
