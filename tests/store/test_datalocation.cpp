#include "datalocation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Which ql.mdb the program uses, from which files exist where. Folders the
// user cannot write are not tried: tests run as root in CI, where every
// folder is writable; the installed program's folder stands in for them.
class TestDataLocation : public QObject
{
    Q_OBJECT
private slots:
    void choosesOneFileAndNamesTheOther_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QStringList>("existing");  // "program", "user"
        QTest::addColumn<QString>("used");
        QTest::addColumn<QString>("unused");
        QTest::newRow("build tree, first start") << false << QStringList{} << "program" << "";
        QTest::newRow("portable copy beside an installed one")
            << false << QStringList{"user"} << "program" << "user";
        QTest::newRow("installed, first start") << true << QStringList{} << "user" << "";
        QTest::newRow("installed, stray file beside it")
            << true << QStringList{"program", "user"} << "user" << "program";
    }

    void choosesOneFileAndNamesTheOther()
    {
        QFETCH(bool, installed);
        QFETCH(QStringList, existing);
        QFETCH(QString, used);
        QFETCH(QString, unused);
        QTemporaryDir root;
        const QDir dir(root.path());
        dir.mkdir(QStringLiteral("program"));
        const QString userDir = dir.filePath(QStringLiteral("home/.local/share/Quillmark"));
        auto fileOf = [&](const QString &place) {
            if (place.isEmpty())
                return QString();
            return (place == QLatin1String("program") ? dir.filePath(place) : userDir)
                   + QStringLiteral("/ql.mdb");
        };
        for (const QString &place : existing) {
            QDir().mkpath(QFileInfo(fileOf(place)).path());
            QFile(fileOf(place)).open(QIODevice::WriteOnly);
        }
        const QString installedDir = dir.filePath(installed ? "program" : "usr/bin");

        const store::DataLocation location =
            store::chooseDataLocation(dir.filePath(QStringLiteral("program")), userDir, installedDir);
        QCOMPARE(location.file, fileOf(used));
        QCOMPARE(location.unusedFile, fileOf(unused));
        // The folder of the file in use is there to create the file in.
        QVERIFY(QFileInfo(location.file).dir().exists());
    }
};

QTEST_GUILESS_MAIN(TestDataLocation)
#include "test_datalocation.moc"
