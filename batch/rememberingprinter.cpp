#include "rememberingprinter.h"

void RememberingPrinter::set(std::optional<int> &kept, int value, void (Printer::*setter)(int))
{
    if (kept == value)
        return;
    kept = value;
    (m_measured.*setter)(value);
    settingsChanged();
}

void RememberingPrinter::FontName(const QString &name)
{
    if (m_fontName == name)
        return;
    m_fontName = name;
    m_measured.FontName(name);
    settingsChanged();
}

void RememberingPrinter::FontSize(float points)
{
    if (m_points == points)
        return;
    m_points = points;
    m_measured.FontSize(points);
    settingsChanged();
}

void RememberingPrinter::Offset(double rightMm, double downMm)
{
    m_measured.Offset(rightMm, downMm);
    m_area = {};
}

// Widths and glyphs stay remembered under each font and unit; the page's
// area only under the current settings.
void RememberingPrinter::settingsChanged()
{
    m_settings = QStringLiteral("%1 %2 %3 %4 %5\n")
                     .arg(m_orientation.value_or(0)).arg(m_paperSize.value_or(0))
                     .arg(m_scaleMode.value_or(0)).arg(m_points.value_or(0))
                     .arg(m_fontName.value_or(QString()));
    m_area = {};
}

double RememberingPrinter::area(int which, double (Printer::*measure)() const) const
{
    if (!m_area[which])
        m_area[which] = (m_measured.*measure)();
    return *m_area[which];
}

double RememberingPrinter::TextWidth(const QString &text) const
{
    const QString key = m_settings + text;
    if (auto found = m_widths.constFind(key); found != m_widths.cend())
        return *found;
    return *m_widths.insert(key, m_measured.TextWidth(text));
}

double RememberingPrinter::TextHeight(const QString &text) const
{
    const QString key = m_settings + text;
    if (auto found = m_heights.constFind(key); found != m_heights.cend())
        return *found;
    return *m_heights.insert(key, m_measured.TextHeight(text));
}

bool RememberingPrinter::HasGlyph(char32_t character) const
{
    const QString key = m_settings + QString::number(uint(character));
    if (auto found = m_glyphs.constFind(key); found != m_glyphs.cend())
        return *found;
    return *m_glyphs.insert(key, m_measured.HasGlyph(character));
}
