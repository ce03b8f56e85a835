// Dates in their boxes and a standard leaf's items in their fields, printed
// through the CUPS spooler that scripts/test starts and read back from the
// PDF with pdftotext -bbox.

#include "chequepage.h"
#include "chequestyle.h"
#include "previewprinter.h"
#include "printedpdf.h"
#include "standardleaves.h"
#include "statements.h"
#include "temporarydatabase.h"

#include <QLocale>
#include <QTest>

using store::ChequeStyle;

namespace {

const QString bank = QStringLiteral("City Bank");
const double pointsPerMm = 72 / 25.4;
const double tolerance = 0.25 * pointsPerMm;
const QString lakhs = QStringLiteral("Rupees One Lakh Twenty Three Thousand Four Hundred and "
                                     "Fifty Six and Paise Seventy Eight Only");

// Whether the word's box on the paper lies inside the field (in mm from the
// leaf's corner, which is the printable corner), give or take a hair.
bool inside(const PdfWord &word, const QRectF &fieldMm)
{
    const QRectF field(fieldMm.topLeft() * pointsPerMm, fieldMm.size() * pointsPerMm);
    return field.adjusted(-tolerance, -tolerance, tolerance, tolerance).contains(word.box);
}

QString described(const PdfWord &word)
{
    const QRectF &b = word.box;
    return QStringLiteral("%1 at %2, %3 to %4, %5 mm").arg(word.text)
        .arg(b.left() / pointsPerMm).arg(b.top() / pointsPerMm)
        .arg(b.right() / pointsPerMm).arg(b.bottom() / pointsPerMm);
}

} // namespace

class TestStyledPrinting : public QObject
{
    Q_OBJECT
    std::unique_ptr<TemporaryDatabase> m_database;

    QList<PdfWord> printed(const store::LayoutRow &row, const ChequeStyle &style,
                           const QString &words)
    {
        const QSqlDatabase db = m_database->db();
        if (store::replaceLayout(db, row).isValid()
            || store::replaceChequeStyle(db, bank, style).isValid()
            || store::replaceWordsChoice(db, bank, {true, true}).isValid())
            return {};
        const QString problem = printChequePage({bank, QStringLiteral("Asha Menon"),
                                                 QStringLiteral("123456.78"), words,
                                                 QDate(2026, 12, 7), true},
                                                *openPrinter());
        if (!problem.isEmpty()) {
            qWarning() << problem;
            return {};
        }
        return placedWords(pdfWords(printedPdf()));
    }

private slots:
    void initTestCase()
    {
        const QString problem = testPrinterProblem();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    }
    void init()
    {
        m_database = std::make_unique<TemporaryDatabase>();
        clearPdfFolder();
    }
    void cleanup() { m_database.reset(); }

    void digitsLandInTheirBoxes_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<double>("mmPerUnit");
        QTest::addColumn<QList<double>>("boxes");  // first left, top, width, height, both gaps
        QTest::newRow("Inches") << "Inches" << 25.4 << QList<double>{6, 0.2, 0.25, 0.26, 0.1};
        QTest::newRow("Cms") << "Cms" << 10.0 << QList<double>{15.5, 0.5, 0.6, 0.65, 0.2};
        QTest::newRow("mms") << "mms" << 1.0 << QList<double>{153, 5, 5, 6, 0};
    }
    void digitsLandInTheirBoxes()
    {
        QFETCH(QString, unit);
        QFETCH(double, mmPerUnit);
        QFETCH(QList<double>, boxes);
        ChequeStyle style;
        style.dateStyle = ChequeStyle::DigitsInBoxes;
        style.boxWidth = boxes[2];
        style.boxHeight = boxes[3];
        style.gapAfterFirst = style.gapAfterSecond = boxes[4];
        // Everything else well away from the date, in millimetres.
        store::LayoutRow row{unit, bank, {}};
        const std::array<double, store::LayoutPositionCount> mm{
            0, 0, 0, 22, 20, 0, 32, 26, 118, 41, 12, 132, 35.5, 158, 36};
        for (int i = 0; i < store::LayoutPositionCount; ++i)
            row.positions[i] = mm[i] / mmPerUnit;
        row.positions[store::DateLeft] = boxes[0];
        row.positions[store::DateTop] = boxes[1];
        const QList<PdfWord> words = printed(row, style, lakhs);
        QVERIFY(!words.isEmpty());

        const QString digits = QStringLiteral("07122026");
        for (int box = 0; box < digits.size(); ++box) {
            const double gaps = (box >= 2 ? boxes[4] : 0) + (box >= 4 ? boxes[4] : 0);
            const QRectF field(QPointF(boxes[0] + box * boxes[2] + gaps, boxes[1]) * mmPerUnit,
                               QSizeF(boxes[2], boxes[3]) * mmPerUnit);
            const auto found = std::find_if(words.begin(), words.end(), [&](const PdfWord &w) {
                return w.text == digits[box] && inside(w, field);
            });
            QVERIFY2(found != words.end(),
                     qPrintable(QStringLiteral("digit %1 \"%2\" is not in its box").arg(box + 1)
                                    .arg(digits[box])));
        }
    }

    // Every standard leaf, in every unit, takes a long cheque as it stands:
    // each item on the leaf, clear of the MICR band and of the others.
    void standardLeavesTakeALongCheque_data()
    {
        QTest::addColumn<int>("leaf");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<double>("mmPerUnit");
        for (int leaf = 0; leaf < standardLeaves().size(); ++leaf) {
            for (const auto &[unit, mm] : {std::pair{"Inches", 25.4}, {"Cms", 10.0}, {"mms", 1.0}})
                QTest::addRow("%s, %s", qPrintable(standardLeaves()[leaf].name), unit)
                    << leaf << QString::fromLatin1(unit) << mm;
        }
    }
    void standardLeavesTakeALongCheque()
    {
        QFETCH(int, leaf);
        QFETCH(QString, unit);
        QFETCH(double, mmPerUnit);
        const StandardLeaf &standard = standardLeaves()[leaf];
        const auto positions = positionsIn(standard, mmPerUnit);
        LayoutRecord layout{bank, unit, {}, styleIn(standard, mmPerUnit), std::nullopt};
        for (int i = 0; i < store::LayoutPositionCount; ++i)
            layout.positions[i] = float(positions[i]);
        layout.leafMm = QRectF(QPointF(), standard.sizeMm);
        PreviewPrinter preview(qEnvironmentVariable("QUILLMARK_PRINTER"));
        QList<ComposedText> texts;
        const QString words = QStringLiteral("Rupees Ninety Eight Lakh Seventy Six Thousand Five "
                                             "Hundred and Forty Three and Paise Twenty One Only");
        QCOMPARE(composeCheque(layout, {true, true},
                               {bank, QStringLiteral("Shri Venkataraghavan Subramanian Iyer"),
                                QStringLiteral("9876543.21"), words, QDate(2026, 12, 27), true},
                               preview, &texts),
                 QString());
    }

    // The sample leaf's fields as tests/data/leaf/README.md gives them.
    void ctsLeafItemsLandInTheirFields()
    {
        const StandardLeaf &cts = standardLeaves().first();
        QCOMPARE(cts.name, QStringLiteral("India CTS-2010"));
        store::LayoutRow row{QStringLiteral("mms"), bank, {}};
        const auto positions = positionsIn(cts, 1);
        std::copy(positions.begin(), positions.end(), row.positions.begin());
        const QList<PdfWord> words = printed(row, styleIn(cts, 1), lakhs);
        QVERIFY(!words.isEmpty());

        // Each word printed, by where it belongs: a word belongs to the first
        // field whose text it is part of.
        const QRectF payLine(18, 26.5 - 7, 178 - 18, 8);
        const QRectF wordsLine1(24, 36.5 - 7, 145 - 24, 8);
        const QRectF wordsLine2(10, 45.5 - 7, 145 - 10, 8);
        const QRectF amountBox(150, 33, 46, 10);
        // The crossing's sloping words come back in pieces, in reading order.
        const QRectF topLeftCorner(0, 0, 30, 21.5);
        QString crossing;
        int digits = 0, name = 0, inWords = 0, amount = 0;
        for (const PdfWord &word : words) {
            if (word.text.size() == 1 && word.text[0].isDigit()) {
                QVERIFY2(inside(word, QRectF(153 + 5 * digits, 5, 5, 6)), qPrintable(described(word)));
                ++digits;
            } else if (topLeftCorner.contains(word.box.center() / pointsPerMm)) {
                QVERIFY2(inside(word, topLeftCorner), qPrintable(described(word)));
                crossing += word.text;
            } else if (word.text == "Asha" || word.text == "Menon") {
                QVERIFY2(inside(word, payLine), qPrintable(described(word)));
                ++name;
            } else if (word.text.startsWith("**")) {
                QVERIFY2(inside(word, amountBox), qPrintable(described(word)));
                ++amount;
            } else {
                QVERIFY2(inside(word, wordsLine1) || inside(word, wordsLine2),
                         qPrintable(described(word)));
                ++inWords;
            }
        }
        QCOMPARE(digits, 8);
        QCOMPARE(crossing, QStringLiteral("A/cPayeeonly"));

        // The preview shows the same boxes, and the crossing's words sloping
        // as on paper.
        PreviewPrinter preview(qEnvironmentVariable("QUILLMARK_PRINTER"));
        QCOMPARE(printChequePage({bank, QStringLiteral("Asha Menon"), QStringLiteral("123456.78"),
                                  lakhs, QDate(2026, 12, 7), true},
                                 preview),
                 QString());
        const QList<QRectF> &guides = preview.page().guides;
        QCOMPARE(guides.size(), 8);
        for (int box = 0; box < 8; ++box) {
            const QRectF expected(QPointF(153 + 5 * box, 5) * pointsPerMm + origin,
                                  QSizeF(5, 6) * pointsPerMm);
            QVERIFY2((guides[box].topLeft() - expected.topLeft()).manhattanLength() < tolerance
                         && (guides[box].bottomRight() - expected.bottomRight()).manhattanLength()
                             < tolerance,
                     qPrintable(QStringLiteral("box %1").arg(box + 1)));
        }
        QCOMPARE(preview.page().lines.size(), 2);
        const auto sloping = std::find_if(preview.page().texts.begin(), preview.page().texts.end(),
                                          [](const PreviewPrinter::Text &t) { return t.angle != 0; });
        QVERIFY(sloping != preview.page().texts.end());
        QCOMPARE(sloping->text, QStringLiteral("A/c Payee only"));
        QCOMPARE(sloping->angle, 45.0);
        QCOMPARE(name, 2);
        QCOMPARE(amount, 1);
        QVERIFY(inWords >= lakhs.count(u' ') + 1);  // every word, and the rule after them
    }
};

QTEST_MAIN(TestStyledPrinting)
#include "test_styledprinting.moc"
