#include "recordedprinting.h"

class RecordedPrinting::RecordingPrinter : public Printer
{
public:
    explicit RecordingPrinter(RecordedPrinting *record)
        : m_record(record)
    {
    }

    void Orientation(int orientation) override { note(u"Orientation", orientation); }
    void PaperSize(int paperSize) override { note(u"PaperSize", paperSize); }
    void ScaleMode(int scaleMode) override
    {
        note(u"ScaleMode", scaleMode);
        m_scaleMode = scaleMode;
    }
    void FontName(const QString &name) override { note(u"FontName", name); }
    void FontSize(float points) override { note(u"FontSize", points); }
    void CurrentX(float x) override
    {
        note(u"CurrentX", x);
        m_x = x;
    }
    void CurrentY(float y) override
    {
        note(u"CurrentY", y);
        m_y = y;
    }

    QString Print(const QString &text) override
    {
        note(u"Print", text);
        if (++m_record->m_prints == m_record->m_failingPrint)
            return m_record->m_printFailure;
        m_record->m_printed.append({text, m_x, m_y, m_scaleMode});
        // The start of the next line, one line lower in any unit.
        m_x = 0;
        m_y += 1;
        return {};
    }

    QString EndDoc() override
    {
        m_record->m_operations.append(QStringLiteral("EndDoc"));
        return m_record->m_endDocFailure;
    }

    void KillDoc() override { m_record->m_operations.append(QStringLiteral("KillDoc")); }

private:
    template<typename Value>
    void note(QStringView operation, const Value &value)
    {
        m_record->m_operations.append(QStringLiteral("%1 %2").arg(operation).arg(value));
    }

    RecordedPrinting *m_record;
    int m_scaleMode = 0;
    float m_x = 0;
    float m_y = 0;
};

RecordedPrinting::RecordedPrinting()
    : m_printer(std::make_unique<RecordingPrinter>(this))
{
    m_previous = setPrinterFactory([this] { return std::make_unique<RecordingPrinter>(this); });
}

RecordedPrinting::~RecordedPrinting()
{
    setPrinterFactory(m_previous);
}

void RecordedPrinting::failPrint(int count, const QString &reason)
{
    m_failingPrint = count;
    m_printFailure = reason;
}

void RecordedPrinting::failEndDoc(const QString &reason)
{
    m_endDocFailure = reason;
}
