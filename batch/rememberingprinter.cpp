#include "rememberingprinter.h"

namespace {

// Enough for every text and character of a long batch's layouts and
// payees; a batch of a million distinct names still keeps no more.
constexpr qsizetype mostAnswersKept = 20'000;

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

// Widths stay remembered under each font and unit, glyphs under each face;
// the page's area only under the current settings.
void RememberingPrinter::settingsChanged()
{
    m_settings = QStringLiteral("%1 %2 %3 %4 %5")
                     .arg(m_orientation.value_or(0)).arg(m_paperSize.value_or(0))
                     .arg(m_scaleMode.value_or(0)).arg(m_points.value_or(0))
                     .arg(m_fontName.value_or(QString()));
    m_area = {};
    useKeptAnswers();
}

void RememberingPrinter::useKeptAnswers() const
{
    m_currentMeasures = &m_measures[m_settings];
    m_currentGlyphs = &m_glyphs[m_fontName.value_or(QString())];
}

// The answer kept under the key, or the measure's, kept from now on. Past
// the bound every answer is forgotten, and asked again when needed.
template <typename Map, typename Key, typename Measure>
auto RememberingPrinter::remembered(Map &answers, const Key &key, Measure measure) const
{
    // Found or made room for at once: a long text is hashed only once.
    const auto known = answers.size();
    auto &kept = answers[key];
    if (answers.size() == known)
        return kept;
    const auto answer = kept = measure();
    if (++m_answerCount >= mostAnswersKept) {
        m_measures.clear();
        m_glyphs.clear();
        m_recent = {};  // it names the answers just forgotten
        m_answerCount = 0;
        useKeptAnswers();
    }
    return answer;
}

double RememberingPrinter::area(int which, double (Printer::*measure)() const) const
{
    if (!m_area[which])
        m_area[which] = (m_measured.*measure)();
    return *m_area[which];
}

double RememberingPrinter::TextWidth(const QString &text) const
{
    for (const Recent &recent : m_recent)
        if (recent.under == m_currentMeasures && recent.text == text)
            return recent.width;
    const double width =
        remembered(m_currentMeasures->widths, text, [&] { return m_measured.TextWidth(text); });
    m_recent[m_nextRecent] = {m_currentMeasures, text, width};
    m_nextRecent = (m_nextRecent + 1) % qsizetype(m_recent.size());
    return width;
}

double RememberingPrinter::TextHeight(const QString &text) const
{
    std::optional<double> &height = m_currentMeasures->height;
    if (!height)
        height = m_measured.TextHeight(text);
    return *height;
}

bool RememberingPrinter::HasGlyph(char32_t character) const
{
    if (character < m_currentGlyphs->latin1.size()) {
        qint8 &known = m_currentGlyphs->latin1[character];
        if (known < 0)
            known = m_measured.HasGlyph(character);
        return known;
    }
    return remembered(m_currentGlyphs->others, character,
                      [&] { return m_measured.HasGlyph(character); });
}
