#include "printedpdf.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        qWarning() << program << arguments << process.readAllStandardError();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString testPrinterProblem()
{
    if (qEnvironmentVariableIsEmpty("QUILLMARK_PDF_DIR"))
        return QStringLiteral("No test printer: QUILLMARK_PDF_DIR is not set. Run the tests with "
                              "scripts/test, which starts a CUPS spooler with a PDF printer (or "
                              "source scripts/cups.sh first).");
    const QString name = QPrinterInfo::defaultPrinter().printerName();
    if (name != qEnvironmentVariable("QUILLMARK_PRINTER"))
        return QStringLiteral("The default printer is %1, not the test's one.").arg(name);
    return {};
}

void clearPdfFolder()
{
    QDir folder(qEnvironmentVariable("QUILLMARK_PDF_DIR"));
    for (const QString &file : folder.entryList(QDir::Files))
        folder.remove(file);
}

QString printedPdf()
{
    const QDir folder(qEnvironmentVariable("QUILLMARK_PDF_DIR"));
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 60000) {
        const QStringList files = folder.entryList({QStringLiteral("*.pdf")}, QDir::Files);
        if (files.size() == 1 && run(QStringLiteral("lpstat"), {QStringLiteral("-o")}).isEmpty())
            return folder.filePath(files.first());
        QTest::qWait(100);
    }
    qWarning("the printer wrote no PDF, or more than one");
    return {};
}

QList<PdfWord> pdfWords(const QString &pdf, QSizeF *pageSize)
{
    const QString boxes = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, "-"});
    if (pageSize) {
        const QRegularExpressionMatch size =
            QRegularExpression(QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\""))
                .match(boxes);
        *pageSize = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
    }
    const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<PdfWord> words;
    const QStringList pages = boxes.split(QStringLiteral("<page "));
    for (int page = 1; page < pages.size(); ++page)
        for (const QRegularExpressionMatch &match : word.globalMatch(pages[page]))
            words.append({match.captured(5),
                          QRectF(QPointF(match.captured(1).toDouble(), match.captured(2).toDouble()),
                                 QPointF(match.captured(3).toDouble(), match.captured(4).toDouble())),
                          page});
    return words;
}

QList<PdfWord> placedWords(QList<PdfWord> words)
{
    for (PdfWord &word : words)
        word.box = QRectF(684 - word.box.bottom(), word.box.left(), word.box.height(),
                          word.box.width()).translated(-origin);
    std::sort(words.begin(), words.end(),
              [](const PdfWord &a, const PdfWord &b) { return a.box.left() < b.box.left(); });
    return words;
}
