// The measuring printer of a batch: which questions reach the printer it
// stands for, and that what it keeps stays bounded however long the batch.

#include "rememberingprinter.h"

#include <QTest>

namespace {

// Counts the measuring questions it is asked; draws every character.
class CountingPrinter : public Printer
{
public:
    mutable int widths = 0;
    mutable int glyphs = 0;

    void Orientation(int) override {}
    void PaperSize(int) override {}
    void ScaleMode(int) override {}
    void FontName(const QString &) override {}
    void FontSize(float) override {}
    void CurrentX(float) override {}
    void CurrentY(float) override {}
    void TextAngle(float) override {}
    double ScaleWidth() const override { return 100; }
    double ScaleHeight() const override { return 100; }
    double ScaleLeft() const override { return 0; }
    double ScaleTop() const override { return 0; }
    double MillimetresPerUnit() const override { return 1; }
    double TextWidth(const QString &text) const override { return ++widths, text.size(); }
    double TextHeight(const QString &) const override { return 1; }
    bool HasGlyph(char32_t) const override { return ++glyphs, true; }
    QString Print(const QString &) override { return {}; }
    QString EndDoc() override { return {}; }
    void KillDoc() override {}
    void Line(float, float, float, float) override {}
    void Box(float, float, float, float) override {}
    void Offset(double, double) override {}
    float CurrentX() const override { return 0; }
    float CurrentY() const override { return 0; }
};

} // namespace

class TestRememberingPrinter : public QObject
{
    Q_OBJECT

private slots:
    // A character's glyph is asked once per face, whatever the size or the
    // text it stands in; a width once per text, face and size.
    void asksEachQuestionOnce()
    {
        CountingPrinter measured;
        RememberingPrinter printer(measured);
        printer.FontName("DejaVu Sans");
        for (const float points : {12.0f, 9.0f, 12.0f}) {
            printer.FontSize(points);
            for (const char32_t character : U"Rupees Five Only")
                QVERIFY(character == 0 || printer.HasGlyph(character));
            QCOMPARE(printer.TextWidth("Rupees Five Only"), 16.0);
        }
        QCOMPARE(measured.glyphs, 13);  // the distinct characters, the space included
        QCOMPARE(measured.widths, 2);   // at 12 and at 9 points
        printer.FontName("Liberation Sans");
        QVERIFY(printer.HasGlyph(U'R'));
        QCOMPARE(measured.glyphs, 14);
    }

    // A batch of many distinct payees keeps a bounded number of answers:
    // the earliest are forgotten and asked again.
    void keepsABoundedNumberOfAnswers()
    {
        CountingPrinter measured;
        RememberingPrinter printer(measured);
        for (int i = 0; i < 99'999; ++i)
            printer.TextWidth(QString::number(i));
        QCOMPARE(measured.widths, 99'999);
        printer.TextWidth("99998");
        QCOMPARE(measured.widths, 99'999);
        printer.TextWidth("0");
        QCOMPARE(measured.widths, 100'000);
    }
};

QTEST_MAIN(TestRememberingPrinter)
#include "test_rememberingprinter.moc"
