#include "frmChqLyt.h"

#include "controls.h"
#include "database.h"
#include "failure.h"
#include "layoutboxes.h"
#include "leadingnumber.h"
#include "messages.h"
#include "storedtext.h"
#include "twips.h"
#include "windowboxes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>
#include <limits>

namespace {

// A column of the grid: where its labels and boxes stand, in twips. Each
// label is as wide as the gap before its box allows.
struct GridColumn {
    int labelLeft;
    int labelWidth;
    int boxLeft;
};
constexpr GridColumn fromTheTop{105, 1215, 1365};
constexpr GridColumn fromTheLeft{2085, 1275, 3405};
constexpr GridColumn widthColumn{4125, 1395, 5565};

// Row tops of the grid, in twips.
constexpr int dateRow = 765;
constexpr int nameRow = 1305;
constexpr int words1Row = 1800;
constexpr int words2Row = 2250;
constexpr int amountRow = 2715;

struct PositionBox {
    QString name;
    QString caption;
    GridColumn column;
    int top;
};

// The box of each position column, in the order of store::layoutPositionColumns.
const std::array<PositionBox, store::LayoutPositionCount> positionBoxTable = {{
    {QStringLiteral("txtdttop"), QStringLiteral("Date Column From the Top"), fromTheTop, dateRow},
    {QStringLiteral("txtdtlft"), QStringLiteral("Date Column From the Left"), fromTheLeft, dateRow},
    {QStringLiteral("txtdtwdth"), QStringLiteral("Date Column Width"), widthColumn, dateRow},
    {QStringLiteral("txtnamtop"), QStringLiteral("Name Column From the Top"), fromTheTop, nameRow},
    {QStringLiteral("txtnamlft"), QStringLiteral("Name Column From the Left"), fromTheLeft,
     nameRow},
    {QStringLiteral("txtnamwdth"), QStringLiteral("Name Column Width"), widthColumn, nameRow},
    {QStringLiteral("txtamtwrdtop"), QStringLiteral("Amt in Words1 From the Top"), fromTheTop,
     words1Row},
    {QStringLiteral("txtamtwrdlft"), QStringLiteral("Amt in Words1 From the Left"), fromTheLeft,
     words1Row},
    {QStringLiteral("txtamtwrdwdth"), QStringLiteral("Amt in Words1 Width"), widthColumn,
     words1Row},
    {QStringLiteral("txtamtwrd2top"), QStringLiteral("Amt in Words2 From the Top"), fromTheTop,
     words2Row},
    {QStringLiteral("txtamtwrd2lft"), QStringLiteral("Amt in Words2 From the Left"), fromTheLeft,
     words2Row},
    {QStringLiteral("txtamtwrd2wdth"), QStringLiteral("Amt in Words2 Width"), widthColumn,
     words2Row},
    {QStringLiteral("txtamttop"), QStringLiteral("Amt Column From the Top"), fromTheTop, amountRow},
    {QStringLiteral("txtamtlft"), QStringLiteral("Amt Column From the Left"), fromTheLeft,
     amountRow},
    {QStringLiteral("txtamtwdth"), QStringLiteral("Amt Column Width"), widthColumn, amountRow},
}};

// A two-line label is centred on its one-line box.
constexpr int labelHeight = 375;
constexpr int labelRaise = 45;
constexpr int boxWidth = 495;
constexpr int boxHeight = 285;

// The shortest text that reads back as the same number: a period as the
// decimal point, no exponent, no thousands separator.
QString plainDecimal(double value)
{
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

} // namespace

frmChqLyt::frmChqLyt(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmChqLyt"));
    setWindowTitle(QStringLiteral("Cheque Setup"));
    createControls();
    placeControls();
    setTabOrder();
    pressButtonsOnlyWithFocus(this);
    Combo1->setFocus();
    Form_Load();
}

frmChqLyt::~frmChqLyt() = default;

void frmChqLyt::createControls()
{
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));

    scaleModeLabel = new QLabel(QStringLiteral("Scale Mode"), Frame1);
    Combo1 = newTypingComboBox(QStringLiteral("Combo1"), Frame1);
    Combo1->addItems({QStringLiteral("Inches"), QStringLiteral("Cms"), QStringLiteral("mms"),
                      QStringLiteral("Pixels")});
    Combo1->setCurrentIndex(0);  // "Inches" at opening

    bankNameLabel = new QLabel(QStringLiteral("BankName"), Frame1);
    cmb = newTypingComboBox(QStringLiteral("cmb"), Frame1);
    ignoreEnterIn(cmb);  // typing a bank name is not choosing it
    connect(cmb, &QComboBox::activated, this, &frmChqLyt::cmb_Click);

    createPositionBoxes();

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    connect(cmdOK, &QPushButton::clicked, this, &frmChqLyt::cmdOK_Click);

    chkBreakByWidth = new QCheckBox(QStringLiteral("Break by printed width"), this);
    chkBreakByWidth->setObjectName(QStringLiteral("chkBreakByWidth"));
    chkFillAfterWords = new QCheckBox(QStringLiteral("Fill after the words"), this);
    chkFillAfterWords->setObjectName(QStringLiteral("chkFillAfterWords"));

    cmdDesign = new QPushButton(QStringLiteral("Design..."), this);
    cmdDesign->setObjectName(QStringLiteral("cmdDesign"));
    cmdDesign->setVisible(bool(layoutDesigner()));
    connect(cmdDesign, &QPushButton::clicked, this, &frmChqLyt::cmdDesign_Click);
    boxes = new WindowBoxes(Combo1, cmb, positionBoxes, chkBreakByWidth, chkFillAfterWords, this);
}

void frmChqLyt::createPositionBoxes()
{
    QFont labelFont(QStringLiteral("MS Serif"));
    labelFont.setPointSizeF(8.25);
    QPalette blueText = palette();
    blueText.setColor(QPalette::WindowText, Qt::blue);

    for (int i = 0; i < store::LayoutPositionCount; ++i) {
        positionLabels[i] = new QLabel(positionBoxTable[i].caption, Frame1);
        positionLabels[i]->setFont(labelFont);
        positionLabels[i]->setPalette(blueText);
        positionLabels[i]->setWordWrap(true);
        positionBoxes[i] = new QLineEdit(Frame1);
        positionBoxes[i]->setObjectName(positionBoxTable[i].name);
        showBeginningOf(positionBoxes[i]);
    }
}

// The narrow box shows a value's beginning, never its last digits alone
// ("54.02" of 154.02), and the whole value as its tip.
void frmChqLyt::showBeginningOf(QLineEdit *box)
{
    connect(box, &QLineEdit::textChanged, box, [box](const QString &text) {
        box->setToolTip(text);
        if (!box->hasFocus())
            box->setCursorPosition(0);
    });
    connect(box, &QLineEdit::editingFinished, box, [box] { box->setCursorPosition(0); });
}

void frmChqLyt::placeControls()
{
    setFixedSize(twipsSize(6495, 3735));
    Frame1->setGeometry(twips(90, 45, 6300, 3210));
    scaleModeLabel->setGeometry(twips(135, 285, 1095, 255));
    Combo1->setGeometry(twips(1320, 285, 1335, 315));
    bankNameLabel->setGeometry(twips(3000, 270, 1215, 255));
    cmb->setGeometry(twips(4320, 240, 1335, 315));
    for (int i = 0; i < store::LayoutPositionCount; ++i) {
        const PositionBox &box = positionBoxTable[i];
        positionLabels[i]->setGeometry(twips(box.column.labelLeft, box.top - labelRaise,
                                             box.column.labelWidth, labelHeight));
        positionBoxes[i]->setGeometry(twips(box.column.boxLeft, box.top, boxWidth, boxHeight));
    }
    cmdOK->setGeometry(twips(5520, 3330, 810, 375));
    // Beside OK, below the frame, each as wide as its caption.
    chkBreakByWidth->setGeometry(twips(105, 3390, 2400, 285));
    chkFillAfterWords->setGeometry(twips(2535, 3390, 1950, 285));
    cmdDesign->setGeometry(twips(4530, 3330, 930, 375));
}

void frmChqLyt::setTabOrder()
{
    using namespace store;
    // Row by row, top to left to width, except that the second line of words
    // comes after OK, backwards; the bank list is last of the grid, the
    // words choices after it.
    const QList<QWidget *> order = {
        Combo1,
        positionBoxes[DateTop], positionBoxes[DateLeft], positionBoxes[Datewidth],
        positionBoxes[nameTop], positionBoxes[nameleft], positionBoxes[namewidth],
        positionBoxes[AmtinWords1Top], positionBoxes[AmtinWords1Left],
        positionBoxes[AmtinWords1Width],
        positionBoxes[AmtTop], positionBoxes[AmtLeft], positionBoxes[AmtWidth],
        cmdOK,
        positionBoxes[AmtinWords2Width], positionBoxes[AmtinWords2Left],
        positionBoxes[AmtinWords2Top],
        cmb,
        chkBreakByWidth, chkFillAfterWords,
        cmdDesign,
    };
    setTabChain(order);
}

void frmChqLyt::Form_Load()
{
    // 1. The window's connection, held until it closes.
    connection = std::make_unique<store::Connection>(objectName());

    // 2-3. Every bank, in the database's order; the box itself stays empty.
    QStringList bankNames;
    QSqlError error = connection->error();
    if (!error.isValid())
        error = store::listBankNames(connection->database(), &bankNames);
    if (error.isValid())
        Messages::show(store::failureText(QStringLiteral("read the banks"), error),
                       Messages::Icon::Critical);
    cmb->addItems(bankNames);
    cmb->setCurrentIndex(-1);
    m_shown = shownTexts();
}

// Everything the user can change, as the window shows it.
QStringList frmChqLyt::shownTexts() const
{
    QStringList texts{Combo1->currentText(), cmb->currentText(),
                      QString::number(chkBreakByWidth->isChecked()),
                      QString::number(chkFillAfterWords->isChecked())};
    for (const QLineEdit *box : positionBoxes)
        texts.append(box->text());
    return texts;
}

// Escape, Cancel or the close box: changes not saved, the editor's moves
// among them, are thrown away only once the user agrees (No the default).
void frmChqLyt::reject()
{
    if (shownTexts() != m_shown
        && !Messages::ask(QStringLiteral("Throw away the changes to the cheque layout that have "
                                         "not been saved?")))
        return;
    QDialog::reject();
}

void frmChqLyt::cmb_Click()
{
    // 1. The chosen bank's layout.
    std::optional<store::LayoutRow> layout;
    if (const QSqlError error = store::findLayout(connection->database(), cmb->currentText(),
                                                  &layout);
        error.isValid()) {
        Messages::show(store::failureText(QStringLiteral("read the cheque layout"), error),
                       Messages::Icon::Critical);
        return;
    }

    // 2-3. Shown when there is one; otherwise the screen keeps what it shows.
    if (layout) {
        showLayout(*layout);
        showWordsChoice(layout->bankName);
        m_shown = shownTexts();
    }
}

void frmChqLyt::showWordsChoice(const QString &bankName)
{
    store::WordsChoice choice;
    if (const QSqlError error = store::findWordsChoice(connection->database(), bankName, &choice);
        error.isValid()) {
        Messages::show(store::failureText(QStringLiteral("read how the words are printed"), error),
                       Messages::Icon::Critical);
        return;
    }
    chkBreakByWidth->setChecked(choice.breakByWidth);
    chkFillAfterWords->setChecked(choice.fillAfterWords);
}

bool frmChqLyt::saveWordsChoice(const QString &bankName)
{
    const store::WordsChoice choice{chkBreakByWidth->isChecked(), chkFillAfterWords->isChecked()};
    const QSqlError error = store::replaceWordsChoice(connection->database(), bankName, choice);
    if (error.isValid())
        Messages::show(store::failureText(QStringLiteral("save how the words are printed"), error),
                       Messages::Icon::Critical);
    return !error.isValid();
}

void frmChqLyt::showLayout(const store::LayoutRow &layout)
{
    // A column without a value shows as an empty box (saved again as 0).
    Combo1->setEditText(layout.scaleMode);
    cmb->setEditText(layout.bankName);  // the name as stored
    for (int i = 0; i < store::LayoutPositionCount; ++i) {
        const std::optional<double> &position = layout.positions[i];
        positionBoxes[i]->setText(position ? plainDecimal(*position) : QString());
    }
}

void frmChqLyt::cmdOK_Click()
{
    // 1, 4. The row as the screen shows it.
    store::LayoutRow layout;
    if (!readLayout(&layout))
        return;

    // 2-5. Replace the bank's layout. Delete and add are one step: a failure
    // keeps the old layout.
    if (const QSqlError error = store::replaceLayout(connection->database(), layout);
        error.isValid()) {
        Messages::show(store::failureText(QStringLiteral("save the cheque layout"), error),
                       Messages::Icon::Critical);
        return;
    }
    if (!saveWordsChoice(layout.bankName))
        return;

    // 6-7.
    m_shown = shownTexts();
    Messages::show(QStringLiteral("Data Saved"), Messages::Icon::Information);
    close();
}

void frmChqLyt::cmdDesign_Click()
{
    layoutDesigner()(this, boxes);
}

// The unit and the bank name as typed; each position the number its box
// starts with. False, after saying so, when the bank name is empty (the
// layout would be listed as a blank bank), when a text would not show as
// stored, or when a box holds a number too large for the single-precision
// number printing reads it as: it would be printed at infinity.
bool frmChqLyt::readLayout(store::LayoutRow *layout)
{
    layout->scaleMode = Combo1->currentText();
    layout->bankName = cmb->currentText();
    if (layout->bankName.trimmed().isEmpty()) {
        Messages::show(QStringLiteral("Enter the bank name: a cheque layout is saved for a bank."),
                       Messages::Icon::Critical);
        cmb->setFocus();
        return false;
    }
    if (!storedTextsSound({{layout->scaleMode, scaleModeLabel->text()},
                           {layout->bankName, bankNameLabel->text()}}))
        return false;
    for (int i = 0; i < store::LayoutPositionCount; ++i) {
        const double value = readLeadingNumber(positionBoxes[i]->text());
        if (!(std::fabs(value) <= std::numeric_limits<float>::max())) {
            Messages::show(QStringLiteral("The number in \"%1\" is too large to store.")
                               .arg(positionBoxTable[i].caption),
                           Messages::Icon::Critical);
            positionBoxes[i]->setFocus();
            return false;
        }
        layout->positions[i] = value;
    }
    return true;
}

