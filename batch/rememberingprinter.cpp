#include "rememberingprinter.h"

namespace {

// The answer kept under the key, or the measure's, kept from now on.
template <typename Key, typename Value, typename Measure>
Value remembered(QHash<Key, Value> &answers, const Key &key, Measure measure)
{
    if (auto found = answers.constFind(key); found != answers.cend())
        return *found;
    return *answers.insert(key, measure());
}

} // namespace

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
    const QString settings = QStringLiteral("%1 %2 %3 %4 %5")
                                 .arg(m_orientation.value_or(0)).arg(m_paperSize.value_or(0))
                                 .arg(m_scaleMode.value_or(0)).arg(m_points.value_or(0))
                                 .arg(m_fontName.value_or(QString()));
    m_current = &m_answers[settings];
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
    return remembered(m_current->widths, text, [&] { return m_measured.TextWidth(text); });
}

double RememberingPrinter::TextHeight(const QString &text) const
{
    return remembered(m_current->heights, text, [&] { return m_measured.TextHeight(text); });
}

bool RememberingPrinter::HasGlyph(char32_t character) const
{
    return remembered(m_current->glyphs, character,
                      [&] { return m_measured.HasGlyph(character); });
}
