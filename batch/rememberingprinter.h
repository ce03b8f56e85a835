#pragma once

#include "printer.h"

#include <QHash>
#include <array>
#include <optional>
#include <string_view>
#include <unordered_map>

// Measures as the printer it stands for, remembering its answers: the
// cheques of a batch ask it the same questions thousands of times (the
// page's size, the width of a date or a payee's name, whether the font draws
// a character), and the printer answers each slowly. Settings reach that
// printer only when they change. At most a bounded number of answers is
// kept, whatever the batch's length. It prints nothing itself.
class RememberingPrinter : public Printer
{
public:
    explicit RememberingPrinter(Printer &measured) : m_measured(measured) { useKeptAnswers(); }

    void Orientation(int orientation) override
    {
        set(m_orientation, orientation, &Printer::Orientation);
    }
    void PaperSize(int paperSize) override { set(m_paperSize, paperSize, &Printer::PaperSize); }
    void ScaleMode(int scaleMode) override { set(m_scaleMode, scaleMode, &Printer::ScaleMode); }
    void FontName(const QString &name) override;
    void FontSize(float points) override;
    void CurrentX(float x) override { m_measured.CurrentX(x); }
    void CurrentY(float y) override { m_measured.CurrentY(y); }
    void TextAngle(float degrees) override { m_measured.TextAngle(degrees); }
    double ScaleWidth() const override { return area(0, &Printer::ScaleWidth); }
    double ScaleHeight() const override { return area(1, &Printer::ScaleHeight); }
    double ScaleLeft() const override { return area(2, &Printer::ScaleLeft); }
    double ScaleTop() const override { return area(3, &Printer::ScaleTop); }
    double MillimetresPerUnit() const override { return area(4, &Printer::MillimetresPerUnit); }
    double TextWidth(const QString &text) const override;
    double TextHeight(const QString &text) const override;
    bool HasGlyph(char32_t character) const override;
    QString Print(const QString &text) override { return m_measured.Print(text); }
    QString EndDoc() override { return m_measured.EndDoc(); }
    void KillDoc() override { m_measured.KillDoc(); }
    QString NewPage() override { return m_measured.NewPage(); }
    void Line(float x1, float y1, float x2, float y2) override { m_measured.Line(x1, y1, x2, y2); }
    void Box(float x1, float y1, float x2, float y2) override { m_measured.Box(x1, y1, x2, y2); }
    void Guide(float x1, float y1, float x2, float y2) override
    {
        m_measured.Guide(x1, y1, x2, y2);
    }
    void Offset(double rightMm, double downMm) override;
    float CurrentX() const override { return m_measured.CurrentX(); }
    float CurrentY() const override { return m_measured.CurrentY(); }

private:
    // Widths of texts under one set of settings, and the height of a line,
    // which is the font's whatever the text.
    struct Measures {
        // The standard map keeps each key's hash, so a search compares few
        // texts; Qt's compares every text it passes.
        struct TextHash {
            size_t operator()(const QString &text) const noexcept
            {
                return std::hash<std::u16string_view>{}(
                    {reinterpret_cast<const char16_t *>(text.constData()), size_t(text.size())});
            }
        };
        std::unordered_map<QString, double, TextHash> widths;
        std::optional<double> height;
    };

    // Whether a face draws each character: the first 256, which most texts
    // are made of, in a table (-1 not asked yet), the others by code point.
    struct Glyphs {
        Glyphs() { latin1.fill(-1); }
        std::array<qint8, 256> latin1;
        QHash<char32_t, bool> others;
    };

    void set(std::optional<int> &kept, int value, void (Printer::*setter)(int));
    void settingsChanged();
    void useKeptAnswers() const;
    template <typename Map, typename Key, typename Measure>
    auto remembered(Map &answers, const Key &key, Measure measure) const;
    double area(int which, double (Printer::*measure)() const) const;

    Printer &m_measured;
    std::optional<int> m_orientation, m_paperSize, m_scaleMode;
    std::optional<QString> m_fontName;
    std::optional<float> m_points;
    // Answers under each set of settings, and whether each face draws a
    // character; those of the current settings and face at hand, so that
    // no key is built for a question.
    QString m_settings;
    mutable std::array<std::optional<double>, 5> m_area;  // and the unit's size
    mutable std::unordered_map<QString, Measures> m_measures;
    mutable std::unordered_map<QString, Glyphs> m_glyphs;
    mutable Measures *m_currentMeasures = nullptr;
    mutable Glyphs *m_currentGlyphs = nullptr;
    // The last texts measured and their widths, found without a search: a
    // cheque's check asks each text's width twice close together.
    struct Recent {
        const Measures *under = nullptr;
        QString text;
        double width = 0;
    };
    mutable std::array<Recent, 8> m_recent;
    mutable qsizetype m_nextRecent = 0;
    mutable qsizetype m_answerCount = 0;
};
