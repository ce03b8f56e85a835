#include "recordedprinting.h"

#include <QFile>
#include <QPointF>
#include <unistd.h>

class RecordedPrinting::RecordingPrinter : public Printer
{
public:
    explicit RecordingPrinter(RecordedPrinting *record) : r(record) {}

    void Orientation(int orientation) override { note(u"Orientation", orientation); }
    void PaperSize(int paperSize) override { note(u"PaperSize", paperSize); }
    void ScaleMode(int scaleMode) override { note(u"ScaleMode", m_scaleMode = scaleMode); }
    void FontName(const QString &name) override { note(u"FontName", name); }
    void FontSize(float points) override { note(u"FontSize", m_points = points); }
    void CurrentX(float x) override { note(u"CurrentX", m_x = x); }
    void CurrentY(float y) override { note(u"CurrentY", m_y = y); }
    void TextAngle(float degrees) override { note(u"TextAngle", m_angle = degrees); }

    // A page of the size staged, whatever the unit; at 12 points every
    // character a tenth of a unit wide and every line one unit high.
    double ScaleWidth() const override { return r->m_printable.width(); }
    double ScaleHeight() const override { return r->m_printable.height(); }
    // An offset moves its page by as many units as millimetres.
    double ScaleLeft() const override { return -m_offset.x(); }
    double ScaleTop() const override { return -m_offset.y(); }
    // A unit is a millimetre, as the offset has it.
    double MillimetresPerUnit() const override { return 1; }
    double TextWidth(const QString &text) const override { return text.size() * m_points / 120; }
    double TextHeight(const QString &) const override { return m_points / 12; }
    // Its font draws the Basic Multilingual Plane and nothing beyond.
    bool HasGlyph(char32_t character) const override { return character <= 0xFFFF; }

    QString Print(const QString &text) override
    {
        note(u"Print", text);
        if (++r->m_prints == r->m_failingPrint)
            return r->m_printFailure;
        r->m_printed.append({text, m_x, m_y, m_scaleMode, m_angle});
        m_x = 0;  // the start of the next line, one line lower in any unit
        m_y += 1;
        return {};
    }
    QString EndDoc() override
    {
        r->m_operations.append(QStringLiteral("EndDoc"));
        return r->m_endDocFailure.isEmpty() ? spool() : r->m_endDocFailure;
    }
    void KillDoc() override
    {
        r->m_operations.append(QStringLiteral("KillDoc"));
        r->m_spooled = r->m_printed.size();  // the job never reached the spooler
    }
    QString NewPage() override
    {
        r->m_operations.append(QStringLiteral("NewPage"));
        return {};
    }
    void Line(float x1, float y1, float x2, float y2) override { corners(u"Line", x1, y1, x2, y2); }
    void Box(float x1, float y1, float x2, float y2) override { corners(u"Box", x1, y1, x2, y2); }
    void Guide(float x1, float y1, float x2, float y2) override
    {
        note(u"Guide", QStringLiteral("%1 %2 %3 %4").arg(x1).arg(y1).arg(x2).arg(y2));
    }
    float CurrentX() const override { return m_x; }
    float CurrentY() const override { return m_y; }
    void Offset(double rightMm, double downMm) override
    {
        note(u"Offset", QStringLiteral("%1 %2").arg(rightMm).arg(downMm));
        m_offset = QPointF(rightMm, downMm);
    }

private:
    QString spool()
    {
        if (r->m_spoolFile.isEmpty())
            return {};
        QByteArray job;
        for (; r->m_spooled < r->m_printed.size(); ++r->m_spooled)
            job += r->m_printed[r->m_spooled].text.toUtf8() + '\n';
        QFile file(r->m_spoolFile);
        if (!file.open(QIODevice::Append) || file.write(job) != job.size() || !file.flush()
            || fsync(file.handle()) != 0)
            return QStringLiteral("the test spooler could not keep the job");
        return {};
    }
    void corners(QStringView operation, float x1, float y1, float x2, float y2)
    {
        note(operation, QStringLiteral("%1 %2 %3 %4").arg(x1).arg(y1).arg(x2).arg(y2));
        m_x = x2;
        m_y = y2;
    }
    template<typename Value>
    void note(QStringView operation, const Value &value)
    {
        r->m_operations.append(QStringLiteral("%1 %2").arg(operation).arg(value));
    }

    RecordedPrinting *r;
    int m_scaleMode = 0;
    float m_points = 12;
    float m_x = 0;
    float m_y = 0;
    float m_angle = 0;
    QPointF m_offset;
};

RecordedPrinting::RecordedPrinting()
    : m_printer(std::make_unique<RecordingPrinter>(this))
    , m_previous(setPrinterFactory([this] { return std::make_unique<RecordingPrinter>(this); }))
{
}
