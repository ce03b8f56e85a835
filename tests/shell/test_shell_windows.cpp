#include "forms.h"
#include "frmMain.h"
#include "frmSplash.h"
#include "twips.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(QRect)

namespace {

QWidget *child(QWidget *window, const QString &name)
{
    return window->findChild<QWidget *>(name);
}

QStringList tabChain(QWidget *first, int length)
{
    QStringList names;
    QWidget *widget = first;
    for (int i = 0; i < length; ++i, widget = widget->nextInFocusChain()) {
        while (widget->focusPolicy() == Qt::NoFocus)
            widget = widget->nextInFocusChain();
        names << widget->objectName();
    }
    return names;
}

} // namespace

class TestShellWindows : public QObject
{
    Q_OBJECT
private slots:
    void controlsStandWhereTheyBelong_data();
    void controlsStandWhereTheyBelong();
    void menuTabOrderStartsAtExit();
    void eachShowingIsAFreshSingleWindow();
};

void TestShellWindows::controlsStandWhereTheyBelong_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("place");

    const QList<std::tuple<const char *, const char *, QRect>> rows = {
        {"frmSplash", "Frame1", twips(120, 0, 5385, 4035)},
        {"frmSplash", "Image1", twips(1320, 480, 3000, 1590)},
        {"frmMain", "Frame1", twips(120, 0, 3975, 3255)},
        {"frmMain", "Image1", twips(120, 120, 3780, 2355)},
        {"frmMain", "Label1", twips(120, 2520, 3735, 615)},
        {"frmMain", "Frame2", twips(4200, 345, 1935, 2745)},
        {"frmMain", "cmdAddBnk", twips(120, 300, 1695, 375)},
        {"frmMain", "cmdChqSetup", twips(120, 660, 1695, 375)},
        {"frmMain", "cmdPayeeAdd", twips(120, 1020, 1695, 375)},
        {"frmMain", "cmdPRtChq", twips(120, 1380, 1695, 375)},
        {"frmMain", "cmdChqRep", twips(120, 1755, 1695, 375)},
        {"frmMain", "cmdExit", twips(135, 2130, 1695, 375)},
    };
    for (const auto &[window, control, place] : rows)
        QTest::addRow("%s.%s", window, control) << window << control << place;
}

void TestShellWindows::controlsStandWhereTheyBelong()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QRect, place);
    std::unique_ptr<QWidget> form;
    if (window == QLatin1String("frmSplash"))
        form = std::make_unique<frmSplash>();
    else
        form = std::make_unique<frmMain>();
    QCOMPARE(child(form.get(), control)->geometry(), place);
}

void TestShellWindows::menuTabOrderStartsAtExit()
{
    frmMain menu;
    menu.show();
    QVERIFY(QTest::qWaitForWindowActive(&menu));
    QCOMPARE(menu.windowTitle(), QStringLiteral("Quillmark"));
    QCOMPARE(menu.size(), twipsSize(6195, 3285));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdExit"));
    QCOMPARE(tabChain(QApplication::focusWidget(), 6),
             (QStringList{"cmdExit", "cmdPRtChq", "cmdPayeeAdd", "cmdChqSetup", "cmdAddBnk",
                          "cmdChqRep"}));
}

void TestShellWindows::eachShowingIsAFreshSingleWindow()
{
    int created = 0;
    QDialog *seenOpen = nullptr;
    Forms::registerForm(QStringLiteral("frmTest"), [&] {
        ++created;
        return new QDialog;
    });
    for (int showing = 0; showing < 2; ++showing) {
        QTimer::singleShot(0, [&] {
            seenOpen = Forms::openInstance(QStringLiteral("frmTest"));
            Forms::showModal(QStringLiteral("frmTest"));  // already open: no second window
            seenOpen->close();
        });
        Forms::showModal(QStringLiteral("frmTest"));
        QVERIFY(seenOpen);
    }
    QCOMPARE(created, 2);
    QVERIFY(!Forms::openInstance(QStringLiteral("frmTest")));
}

QTEST_MAIN(TestShellWindows)
#include "test_shell_windows.moc"
