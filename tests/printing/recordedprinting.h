#pragma once

#include "printer.h"

#include <QList>
#include <QSizeF>
#include <QStringList>

// Stands in for the printer cheques go to, for as long as it lives: every
// printer that openPrinter() gives, and printer() itself, write down what
// they are told instead of printing.
class RecordedPrinting
{
public:
    struct PrintedText {
        QString text;
        float x;  // where its top-left corner went, in the unit then set
        float y;
        int scaleMode;
        float angle;  // degrees anticlockwise
    };

    RecordedPrinting();
    ~RecordedPrinting() { setPrinterFactory(m_previous); }

    Printer &printer() { return *m_printer; }
    // Every operation in order: "Orientation 2", "CurrentX 2.5", "Print A/c
    // Payee only", "EndDoc", "KillDoc"...
    const QStringList &operations() const { return m_operations; }
    const QList<PrintedText> &printed() const { return m_printed; }

    // Faults to stage: Print number `count` (from 1) or EndDoc fails so.
    void failPrint(int count, const QString &reason)
    {
        m_failingPrint = count;
        m_printFailure = reason;
    }
    void failEndDoc(const QString &reason) { m_endDocFailure = reason; }
    // Each job the printer takes appends its printed texts to the file, one
    // a line, synced to disk before EndDoc returns: what a process killed at
    // any moment had sent to the printer.
    void spoolTo(const QString &path) { m_spoolFile = path; }
    // The printable area its printers report, in any unit.
    void setPrintableSize(const QSizeF &size) { m_printable = size; }

private:
    class RecordingPrinter;

    std::unique_ptr<Printer> m_printer;
    PrinterFactory m_previous;
    QStringList m_operations;
    QList<PrintedText> m_printed;
    int m_prints = 0;
    int m_failingPrint = 0;
    QString m_printFailure;
    QString m_endDocFailure;
    QString m_spoolFile;
    qsizetype m_spooled = 0;  // texts of m_printed already in the spool file
    QSizeF m_printable{100, 100};
};
