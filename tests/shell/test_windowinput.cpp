// What every working window does with the keyboard.
#include "frmBNK.h"
#include "frmChqLyt.h"
#include "frmMain.h"
#include "frmPayee.h"
#include "frmPrtChq.h"
#include "frmReport.h"
#include "statements.h"
#include "temporarydatabase.h"
#include "windowchecks.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <functional>
#include <memory>

using namespace Qt::StringLiterals;
using Factory = std::function<QDialog *()>;
using Texts = QList<std::pair<QString, QString>>;  // control, text

Q_DECLARE_METATYPE(Factory)

namespace {

Factory factoryFor(const QString &window)
{
    if (window == u"frmMain")
        return [] { return new frmMain; };
    if (window == u"frmBNK")
        return [] { return new frmBNK; };
    if (window == u"frmPayee")
        return [] { return new frmPayee; };
    if (window == u"frmChqLyt")
        return [] { return new frmChqLyt; };
    if (window == u"frmPrtChq")
        return [] { return new frmPrtChq; };
    return [] { return new frmReport; };
}

// The window's control holding a widget (the text part of a list, say).
QString controlOf(QWidget *widget)
{
    while (widget && (widget->objectName().isEmpty() || widget->objectName().startsWith(u"qt_")))
        widget = widget->parentWidget();
    return widget ? widget->objectName() : QString();
}

// Every control that can take the focus, in the order of the window's chain.
QStringList focusChain(QWidget *window)
{
    QStringList chain;
    for (QWidget *w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
        const QString name = controlOf(w);
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(window) && !chain.contains(name))
            chain << name;
    }
    return chain;
}

void setText(QWidget *window, const QString &name, const QString &text)
{
    QWidget *control = window->findChild<QWidget *>(name);
    QVERIFY2(control, qPrintable(name));
    if (auto *box = qobject_cast<QLineEdit *>(control))
        box->setText(text);
    else if (auto *list = qobject_cast<QComboBox *>(control); list && list->isEditable())
        list->setEditText(text);
    else
        qobject_cast<QComboBox *>(control)->setCurrentIndex(
            qobject_cast<QComboBox *>(control)->findText(text));
}

int rowCount(QSqlDatabase db, const QString &table)
{
    return rowsOf(db, u"select count(*) from "_s + table).value(0).value(0).toInt();
}

} // namespace

class TestWindowInput : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_database = std::make_unique<TemporaryDatabase>();
        const QSqlDatabase db = m_database->db();
        QVERIFY(!store::addBank(db, {u"111"_s, u"City Bank"_s, u"USD"_s}).isValid());
        QVERIFY(!store::replaceLayout(db, {u"Inches"_s, u"City Bank"_s, {1, 1, 1, 1, 1, 1, 1, 1,
                                           1, 1, 1, 1, 1, 1, 1}}).isValid());
        QVERIFY(!store::replacePayee(db, u"zed"_s, u"Zed Traders"_s).isValid());
    }
    void cleanup() { m_database.reset(); }

    void chainStartsAtTheFirstTabStop_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("chain");
        QTest::newRow("menu") << "frmMain" << QStringList{"cmdExit", "cmdPRtChq", "cmdPayeeAdd",
                                                          "cmdChqSetup", "cmdAddBnk", "cmdChqRep"};
        QTest::newRow("bank") << "frmBNK"
                              << QStringList{"Text1", "Text2", "cmdSave", "cmdClose", "Text3"};
        QTest::newRow("payee") << "frmPayee"
                               << QStringList{"Command1", "Command2", "cmbPayee", "Text1"};
        QTest::newRow("layout") << "frmChqLyt"
                                << QStringList{"Combo1", "txtdttop", "txtdtlft", "txtdtwdth",
                                               "txtnamtop", "txtnamlft", "txtnamwdth",
                                               "txtamtwrdtop", "txtamtwrdlft", "txtamtwrdwdth",
                                               "txtamttop", "txtamtlft", "txtamtwdth", "cmdOK",
                                               "txtamtwrd2wdth", "txtamtwrd2lft",
                                               "txtamtwrd2top", "cmb"};
        QTest::newRow("print") << "frmPrtChq"
                               << QStringList{"Print", "Cancel", "Text3", "Text2", "Text1",
                                              "DTPicker1", "cmbBnk", "cmbPayee", "txtChqNo",
                                              "Option2"};
        QTest::newRow("report") << "frmReport" << QStringList{"DataGrid1", "DTPicker1",
                                                              "DTPicker2", "Command1", "cmbBnk"};
    }

    // The window opens on the first stop of its order, and the chain, where
    // Tab goes on from the last stop, starts there too.
    void chainStartsAtTheFirstTabStop()
    {
        QFETCH(QString, window);
        QFETCH(QStringList, chain);
        std::unique_ptr<QDialog> form(factoryFor(window)());
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QCOMPARE(controlOf(QApplication::focusWidget()), chain.first());
        QCOMPARE(focusChain(form.get()), chain);
    }

    void enterKeepsTheWindowAndItsInput_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("closeButton");  // Enter on it still closes the window
        QTest::newRow("menu") << "frmMain" << "";
        QTest::newRow("bank") << "frmBNK" << "cmdClose";
        QTest::newRow("payee") << "frmPayee" << "Command2";
        QTest::newRow("layout") << "frmChqLyt" << "";
        QTest::newRow("print") << "frmPrtChq" << "Cancel";
        QTest::newRow("report") << "frmReport" << "";
    }

    // Enter in any box, list, picker or option presses no button.
    void enterKeepsTheWindowAndItsInput()
    {
        QFETCH(QString, window);
        QFETCH(QString, closeButton);
        RecordedMessages messages;
        std::unique_ptr<QDialog> form(factoryFor(window)());
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        for (const QString &name : focusChain(form.get())) {
            auto *control = form->findChild<QWidget *>(name);
            if (qobject_cast<QPushButton *>(control))
                continue;
            control->setFocus();
            messages.clear();  // leaving the amount box words it
            for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter})
                QTest::keyClick(QApplication::focusWidget(), key);
            QVERIFY2(form->isVisible(), qPrintable(name));
            QVERIFY2(messages.all().isEmpty(), qPrintable(name + messages.texts().join(u'|')));
        }
        if (closeButton.isEmpty())
            return;
        form->findChild<QWidget *>(closeButton)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(!form->isVisible());
    }

private:
    std::unique_ptr<TemporaryDatabase> m_database;
};

QTEST_MAIN(TestWindowInput)
#include "test_windowinput.moc"
