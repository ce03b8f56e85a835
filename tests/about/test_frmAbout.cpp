#include "frmAbout.h"
#include "forms.h"
#include "frmMain.h"
#include "startup.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

class TestFrmAbout : public QObject
{
    Q_OBJECT
private slots:
    void namesTheDataFileAndAnUnusedOne_data()
    {
        QTest::addColumn<QString>("unused");
        QTest::newRow("one data file") << "";
        QTest::newRow("another beside the program") << "/opt/quillmark/ql.mdb";
    }

    void namesTheDataFileAndAnUnusedOne()
    {
        QFETCH(QString, unused);
        frmAbout window({QStringLiteral("/home/ann/.local/share/Quillmark/ql.mdb"), unused});
        window.show();
        QCOMPARE(window.findChild<QLineEdit *>("txtDataFile")->text(),
                 QStringLiteral("/home/ann/.local/share/Quillmark/ql.mdb"));
        QCOMPARE(window.findChild<QLineEdit *>("txtUnusedFile")->isVisible(), !unused.isEmpty());
        QCOMPARE(window.findChild<QLineEdit *>("txtUnusedFile")->text(), unused);
    }

    // F1 in the main menu opens the box; Enter closes it.
    void f1OpensItFromTheMainMenu()
    {
        registerWorkingWindows();
        frmMain menu;
        menu.show();
        QVERIFY(QTest::qWaitForWindowActive(&menu));
        QString focusInBox;
        QTimer poll;  // waits for the box to open and take the focus, then closes it
        connect(&poll, &QTimer::timeout, [&] {
            QDialog *about = Forms::openInstance(QStringLiteral("frmAbout"));
            if (!about || !about->isActiveWindow() || !focusInBox.isEmpty())
                return;
            focusInBox = QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        poll.start(20);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QCOMPARE(focusInBox, QStringLiteral("cmdOK"));
        QVERIFY(!Forms::openInstance(QStringLiteral("frmAbout")));
        QVERIFY(menu.isVisible());
    }
};

QTEST_MAIN(TestFrmAbout)
#include "test_frmAbout.moc"
