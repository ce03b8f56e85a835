#include "layoutjson.h"
#include "payfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace positivepay;

namespace {

const Account account{QStringLiteral("State Bank"), QStringLiteral("012345678901"),
                      QStringLiteral("400002003"), QStringLiteral("29"),
                      QStringLiteral("345678")};

PayRecord cheque(RecordKind kind, const QDate &date, const QString &number, const QString &payee,
                 qint64 cents)
{
    return {0, kind, date, number, payee, Money::fromCents(cents)};
}

// A small register: a payee with a comma and quotes, one with accents, a
// cheque voided after it was sent, a payee longer than the US layouts take.
QList<PayRecord> smallRegister()
{
    return {
        cheque(RecordKind::Issue, {2026, 3, 2}, QStringLiteral("000101"),
               QStringLiteral("Acme Traders"), 123450),
        cheque(RecordKind::Issue, {2026, 3, 2}, QStringLiteral("000102"),
               QStringLiteral("Smith, \"Bud\" & Co"), 7500000),
        cheque(RecordKind::Issue, {2026, 3, 3}, QStringLiteral("000103"),
               QStringLiteral("José Müller"), 5005),
        cheque(RecordKind::Void, {2026, 3, 1}, QStringLiteral("000099"),
               QStringLiteral("Ravi Kumar"), 25000000),
        cheque(RecordKind::Issue, {2026, 3, 4}, QStringLiteral("000104"),
               QStringLiteral("Ramesh Gupta Engineering Works Private Limited of Mumbai"),
               9999999),
    };
}

Layout builtIn(const QString &name)
{
    for (const Layout &layout : builtInLayouts()) {
        if (layout.name == name)
            return layout;
    }
    return {};
}

QByteArray fileBytes(const QString &name)
{
    QFile file(QStringLiteral(PAYFILES "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

FieldSpec field(Field f, int width, Alignment alignment, char fill, bool cut = false)
{
    return {f, width, alignment, QLatin1Char(fill), cut};
}

} // namespace

class tst_payfile : public QObject
{
    Q_OBJECT
private slots:
    void builtInLayoutsWriteTheHandWrittenFiles_data();
    void builtInLayoutsWriteTheHandWrittenFiles();
    void chequesThatDoNotFitAreNamedAndNothingIsWritten_data();
    void chequesThatDoNotFitAreNamedAndNothingIsWritten();
    void trailerCountsAndTotals_data();
    void trailerCountsAndTotals();
    void layoutsSurviveTheirStoredText();
    void savedFileIsWholeOrAbsent();
};

void tst_payfile::builtInLayoutsWriteTheHandWrittenFiles_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("leftOut");
    QTest::newRow("indian") << "Indian Positive Pay (CSV)" << "indian.csv" << 1;
    QTest::newRow("all fields") << "All fields (CSV)" << "allfields.csv" << 0;
    QTest::newRow("us csv") << "US issue file (CSV)" << "us-issue.csv" << 0;
    QTest::newRow("us fixed") << "US issue file (80 columns)" << "us-fixed.txt" << 0;
}

void tst_payfile::builtInLayoutsWriteTheHandWrittenFiles()
{
    QFETCH(QString, layout);
    QFETCH(QString, expected);
    QFETCH(int, leftOut);
    const PayFile file = writePayFile(builtIn(layout), account, smallRegister());
    QCOMPARE(file.refused, QStringList());
    QCOMPARE(file.bytes, fileBytes(expected));
    // The Indian fields have no void code: its void is left for the user to tell.
    QCOMPARE(file.leftOut.size(), leftOut);
    QCOMPARE(file.written.size() + file.leftOut.size(), smallRegister().size());
}

void tst_payfile::chequesThatDoNotFitAreNamedAndNothingIsWritten_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("payee");
    QTest::addColumn<QString>("number");
    QTest::addColumn<qint64>("cents");
    QTest::addColumn<QString>("why");
    QTest::addColumn<QDate>("date");
    QTest::newRow("script beyond ascii") << "US issue file (CSV)" << "श्री गणेश" << "000105"
                                         << qint64(100) << "plain letters" << QDate(2026, 3, 5);
    QTest::newRow("letters zero-filled") << "US issue file (80 columns)" << "A" << "10-5"
                                         << qint64(100) << "not all figures" << QDate(2026, 3, 5);
    QTest::newRow("amount too wide") << "US issue file (80 columns)" << "A" << "000105"
                                     << qint64(12345678901) << "has 11 characters" << QDate(2026, 3, 5);
    QTest::newRow("no number") << "Indian Positive Pay (CSV)" << "A" << " " << qint64(100)
                               << "no cheque number" << QDate(2026, 3, 5);
    QTest::newRow("nothing paid") << "All fields (CSV)" << "A" << "000105" << qint64(0)
                                  << "not more than nothing" << QDate(2026, 3, 5);
    QTest::newRow("no date") << "Indian Positive Pay (CSV)" << "A" << "000105" << qint64(100)
                             << "date cannot be read" << QDate();
}

void tst_payfile::chequesThatDoNotFitAreNamedAndNothingIsWritten()
{
    QFETCH(QString, layout);
    QFETCH(QString, payee);
    QFETCH(QString, number);
    QFETCH(qint64, cents);
    QFETCH(QString, why);
    QFETCH(QDate, date);
    QList<PayRecord> records = smallRegister();
    records << cheque(RecordKind::Issue, date, number, payee, cents);
    const PayFile file = writePayFile(builtIn(layout), account, records);
    QCOMPARE(file.refused.size(), 1);
    QVERIFY2(file.refused.first().contains(why), qPrintable(file.refused.first()));
    QVERIFY(file.refused.first().startsWith(QStringLiteral("Cheque %1 of %2")
                                                .arg(number.trimmed(),
                                                     date.toString("dd-MM-yyyy"))));
    QVERIFY(file.bytes.isEmpty());
    QVERIFY(file.written.isEmpty());
}

void tst_payfile::trailerCountsAndTotals_data()
{
    QTest::addColumn<Layout>("layout");
    QTest::addColumn<QByteArray>("expected");

    Layout semicolons;
    semicolons.name = QStringLiteral("Semicolons");
    semicolons.delimiter = QLatin1Char(';');
    semicolons.amountStyle = AmountStyle::Grouped;
    semicolons.datePattern = QStringLiteral("dd/MM/yyyy");
    semicolons.trailer = true;
    semicolons.trailerCode = QStringLiteral("TOTAL");
    semicolons.fields = {field(Field::ChequeNumber, 0, Alignment::Left, ' '),
                         field(Field::Amount, 0, Alignment::Left, ' '),
                         field(Field::ChequeDate, 0, Alignment::Left, ' '),
                         field(Field::IssueVoidCode, 0, Alignment::Left, ' ')};
    QTest::newRow("delimited") << semicolons
                               << QByteArray("7;1,234.50;02/03/2026;I\r\n"
                                             "8;250,000.00;01/03/2026;V\r\n"
                                             "TOTAL;2;251,234.50\r\n");

    Layout fixed;
    fixed.name = QStringLiteral("Fixed with trailer");
    fixed.format = Format::FixedWidth;
    fixed.header = true;
    fixed.trailer = true;
    fixed.amountStyle = AmountStyle::ImpliedCents;
    fixed.fields = {field(Field::ChequeNumber, 6, Alignment::Right, '0'),
                    field(Field::Blank, 2, Alignment::Left, '*'),
                    field(Field::Amount, 12, Alignment::Right, ' '),
                    field(Field::PayeeName, 8, Alignment::Left, '.', true),
                    field(Field::IssueVoidCode, 1, Alignment::Left, ' ')};
    QTest::newRow("fixed") << fixed
                           << QByteArray("Cheque        AmountPayee NaI\r\n"
                                         "000007**      123450Acme TraI\r\n"
                                         "000008**    25000000Ravi....V\r\n"
                                         "T0000000002000000025123450   \r\n");
}

void tst_payfile::trailerCountsAndTotals()
{
    QFETCH(Layout, layout);
    QFETCH(QByteArray, expected);
    const QList<PayRecord> records{
        cheque(RecordKind::Issue, {2026, 3, 2}, QStringLiteral("7"), QStringLiteral("Acme Traders"),
               123450),
        cheque(RecordKind::Void, {2026, 3, 1}, QStringLiteral("8"), QStringLiteral("Ravi"),
               25000000)};
    QCOMPARE(writePayFile(layout, account, records).bytes, expected);
}

void tst_payfile::layoutsSurviveTheirStoredText()
{
    for (const Layout &layout : builtInLayouts()) {
        Layout read;
        QVERIFY(layoutFromJson(layoutToJson(layout), &read));
        QCOMPARE(read, layout);
        QVERIFY(layoutProblems(layout).isEmpty());
    }
    Layout read;
    QVERIFY(!layoutFromJson("{\"name\":\"x\",\"fields\":[{\"field\":\"Colour\"}]}", &read));
    QVERIFY(!layoutFromJson("not json", &read));
}

void tst_payfile::savedFileIsWholeOrAbsent()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("issues.csv"));
    QCOMPARE(savePayFile(path, "I,1\r\n"), QString());
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), QByteArray("I,1\r\n"));
    // A folder that is not there: the failure is told, no file is left.
    QVERIFY(!savePayFile(dir.filePath(QStringLiteral("none/issues.csv")), "I,1\r\n").isEmpty());
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("none/issues.csv"))));
}

QTEST_GUILESS_MAIN(tst_payfile)
#include "tst_payfile.moc"
