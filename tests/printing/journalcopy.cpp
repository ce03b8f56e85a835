// A copy of the program that prints cheques through the print journal on a
// test printer and ends itself with _exit at the step it is told, as a
// crash or a power cut would end it there. The test that runs it reads
// what each copy left behind.
//
//   journalcopy REGISTER single|batch STEP SPOOLFILE NUMBER...
//
// STEP is a step of the road (chequejournal.h: noted, sent, handed over,
// recorded), or the printer's: "print" (drawing the page), "handing" (the
// job about to reach the spooler), "spooled" (the spooler has it); any
// other word runs to the end. Each page's payee is "Payee NUMBER"; the
// payees of every job the spooler took are appended to SPOOLFILE.

#include "batchprint.h"
#include "chequejournal.h"
#include "database.h"
#include "recordedmessages.h"
#include "recordedprinting.h"
#include "testserver.h"

#include <QApplication>
#include <QFile>
#include <QThread>
#include <unistd.h>

namespace {

QString crashStep;
QString spoolFile;

void crashAt(const QString &step)
{
    if (step == crashStep)
        _exit(3);
}

// Passes everything on to the recording printer, noting the pages' payees.
class CrashingPrinter : public Printer
{
public:
    explicit CrashingPrinter(std::unique_ptr<Printer> inner) : m(std::move(inner)) {}

    void Orientation(int o) override { m->Orientation(o); }
    void PaperSize(int p) override { m->PaperSize(p); }
    void ScaleMode(int s) override { m->ScaleMode(s); }
    void FontName(const QString &n) override { m->FontName(n); }
    void FontSize(float p) override { m->FontSize(p); }
    void CurrentX(float x) override { m->CurrentX(x); }
    void CurrentY(float y) override { m->CurrentY(y); }
    void TextAngle(float degrees) override { m->TextAngle(degrees); }
    double ScaleWidth() const override { return m->ScaleWidth(); }
    double ScaleHeight() const override { return m->ScaleHeight(); }
    double ScaleLeft() const override { return m->ScaleLeft(); }
    double ScaleTop() const override { return m->ScaleTop(); }
    double MillimetresPerUnit() const override { return m->MillimetresPerUnit(); }
    double TextWidth(const QString &t) const override { return m->TextWidth(t); }
    double TextHeight(const QString &t) const override { return m->TextHeight(t); }
    bool HasGlyph(char32_t c) const override { return m->HasGlyph(c); }
    QString Print(const QString &text) override
    {
        crashAt(QStringLiteral("print"));
        if (text.startsWith(u"Payee "))
            m_payees << text;
        return m->Print(text);
    }
    QString EndDoc() override
    {
        crashAt(QStringLiteral("handing"));
        QThread::msleep(20);  // a spooler slow to answer
        QFile spool(spoolFile);
        if (!spool.open(QIODevice::Append) || spool.write((m_payees.join(u'\n') + u'\n').toUtf8()) < 0
            || !spool.flush() || fsync(spool.handle()) != 0)
            return QStringLiteral("the test spooler could not keep the job");
        spool.close();
        m_payees.clear();
        crashAt(QStringLiteral("spooled"));
        return m->EndDoc();
    }
    void KillDoc() override
    {
        m_payees.clear();
        m->KillDoc();
    }
    QString NewPage() override { return m->NewPage(); }
    void Line(float a, float b, float c, float d) override { m->Line(a, b, c, d); }
    void Box(float a, float b, float c, float d) override { m->Box(a, b, c, d); }
    void Guide(float a, float b, float c, float d) override { m->Guide(a, b, c, d); }
    void Offset(double r, double d) override { m->Offset(r, d); }
    float CurrentX() const override { return m->CurrentX(); }
    float CurrentY() const override { return m->CurrentY(); }

private:
    std::unique_ptr<Printer> m;
    QStringList m_payees;
};

ChequeItems chequeFor(const QString &number)
{
    return {QStringLiteral("City Bank"), QStringLiteral("Payee ") + number,
            QStringLiteral("10.00"), QStringLiteral("Ten Dollars Only"), QDate(2026, 12, 5),
            true};
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 5)
        return 2;
    testserver::useRegisterAt(args[1]);
    crashStep = args[3];
    spoolFile = args[4];
    const QStringList numbers = args.mid(5);

    RecordedMessages messages;  // every question answered No
    RecordedPrinting recording;
    const PrinterFactory recorded = setPrinterFactory({});
    setPrinterFactory([&] { return std::make_unique<CrashingPrinter>(recorded()); });
    observePrintSteps([](const char *step) { crashAt(QString::fromLatin1(step)); });

    if (args[2] == u"single") {
        for (const QString &number : numbers)
            printAndRecord({chequeFor(number), number}, {});
    } else {
        QList<BatchCheque> cheques;
        for (const QString &number : numbers)
            cheques.append({{}, true, chequeFor(number), number, {}, false, {}});
        const BatchJob job = printBatch(cheques, {}, [](int) { return true; });
        const store::Connection connection(QStringLiteral("journalcopy"));
        if (!job.printed.pages.isEmpty()
            && store::recordJob(connection.database(), job.printed, {},
                                store::markNow(0, store::VoidAction::Void, {}))
                   .isValid())
            return 4;
        crashAt(QStringLiteral("recorded"));
    }
    for (const QString &text : messages.texts())
        fprintf(stderr, "%s\n", qPrintable(text));
    return 0;
}
