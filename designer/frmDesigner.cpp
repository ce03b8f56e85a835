#include "frmDesigner.h"

#include "controls.h"
#include "database.h"
#include "failure.h"
#include "layoutboxes.h"
#include "leadingnumber.h"
#include "messages.h"
#include "pagerules.h"
#include "samplepage.h"
#include "truesize.h"
#include "twips.h"
#include "typicalleaf.h"

#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScrollArea>
#include <cmath>

namespace {

using namespace store;

const int landscape = 2;
const int envelope10 = 20;
const double pointsPerMillimetre = 72 / 25.4;

// The items that can be moved, each by its two columns, in the order they
// are drawn.
struct Item {
    QString name;
    LayoutPosition left;
    LayoutPosition top;
};
const std::array<Item, 5> items = {{
    {QStringLiteral("Date"), DateLeft, DateTop},
    {QStringLiteral("Name"), nameleft, nameTop},
    {QStringLiteral("Amount in Words line 1"), AmtinWords1Left, AmtinWords1Top},
    {QStringLiteral("Amount in Words line 2"), AmtinWords2Left, AmtinWords2Top},
    {QStringLiteral("Amount"), AmtLeft, AmtTop},
}};
// The words lines: their items, and the columns of their width.
const int wordsLine1 = 2;
const std::array<LayoutPosition, 2> wordsWidths = {AmtinWords1Width, AmtinWords2Width};
const std::array<QString, 2> wordsWidthNames = {QStringLiteral("Amount in Words line 1 width"),
                                                QStringLiteral("Amount in Words line 2 width")};

// The leaf's size and place, in the free row beside Undo and Redo: where
// each label and box stands, in twips.
struct LeafBox {
    QString caption;
    QString name;
    int labelLeft;
    int labelWidth;
};
const std::array<LeafBox, LeafMeasureCount> leafBoxes = {{
    {QStringLiteral("Leaf width"), QStringLiteral("txtLeafWidth"), 4260, 1050},
    {QStringLiteral("height"), QStringLiteral("txtLeafHeight"), 6180, 690},
    {QStringLiteral("left"), QStringLiteral("txtLeafLeft"), 7740, 420},
    {QStringLiteral("top"), QStringLiteral("txtLeafTop"), 9030, 390},
}};
const int leafBoxWidth = 720;

// A box without a text to measure (an empty second words line), in points.
const QSizeF emptyBoxSize(130, 12);

// The layout window shows two decimals at most; -0 shows as 0.
QString boxText(double value)
{
    return QString::number(std::round(value * 100) / 100 + 0.0, 'f',
                           QLocale::FloatingPointShortest);
}

// Sets the boxes' texts as one step of the editor's history. Keys typed
// one after another into the same boxes make one step.
class SetTexts : public QUndoCommand
{
public:
    using Texts = QList<std::pair<LayoutPosition, QString>>;
    SetTexts(const QString &what, Texts before, Texts after, bool typed,
             std::function<void(const Texts &)> set)
        : QUndoCommand(what), m_before(std::move(before)), m_after(std::move(after)),
          m_typed(typed), m_set(std::move(set))
    {
    }
    void undo() override { m_set(m_before); }
    void redo() override { m_set(m_after); }
    int id() const override { return m_typed ? typingStep : -1; }
    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *next = static_cast<const SetTexts *>(other);
        if (columns(next->m_after) != columns(m_after))
            return false;
        m_after = next->m_after;
        setObsolete(m_after == m_before);  // typed back as it was: no step
        return true;
    }

private:
    static const int typingStep = 1;
    static QList<LayoutPosition> columns(const Texts &texts)
    {
        QList<LayoutPosition> list;
        for (const auto &[column, text] : texts)
            list.append(column);
        return list;
    }

    Texts m_before;
    Texts m_after;
    bool m_typed;
    std::function<void(const Texts &)> m_set;
};

} // namespace

frmDesigner::frmDesigner(LayoutBoxes *boxes, QWidget *parent)
    : QDialog(parent)
    , m_boxes(boxes)
{
    setObjectName(QStringLiteral("frmDesigner"));
    setWindowTitle(QStringLiteral("Cheque Layout Design"));
    createControls();
    placeControls();
    setTabOrder();
    pressButtonsOnlyWithFocus(this);
    pgvDesign->setFocus();
    m_printerName = QPrinterInfo::defaultPrinterName();
    readSample();
    refresh();
    placeEmptyLayout();
    pgvDesign->setPixelsPerPoint(screenPixelsPerMillimetre(screen()) / pointsPerMillimetre);
}

// A layout without a single position would open as five items piled in the
// corner: they start where a typical leaf has them, on the bank's leaf
// where it has one, as a step the user can undo.
void frmDesigner::placeEmptyLayout()
{
    for (int column = 0; column < LayoutPositionCount; ++column) {
        if (value(LayoutPosition(column)).value_or(0) != 0)
            return;
    }
    const QSizeF &pointsPerUnit = m_geometry.pointsPerUnit;
    const LeafPositions at = positionsOnLeaf(
        typicalLeafMillimetres(), m_leaf ? m_leaf->millimetres.topLeft() : QPointF(),
        QSizeF(pointsPerUnit.width() / pointsPerMillimetre,
               pointsPerUnit.height() / pointsPerMillimetre));
    QList<std::pair<LayoutPosition, double>> values;
    for (int column = 0; column < LayoutPositionCount; ++column)
        values.append({LayoutPosition(column), at[column]});
    change(values, QStringLiteral("items placed as on a typical leaf"));
}

void frmDesigner::install()
{
    setLayoutDesigner([](QWidget *window, LayoutBoxes *boxes) {
        if (auto *open = window->findChild<frmDesigner *>()) {
            open->raise();
            open->activateWindow();
            return;
        }
        auto *designer = new frmDesigner(boxes, window);
        designer->setAttribute(Qt::WA_DeleteOnClose);
        designer->show();
    });
}

QString frmDesigner::problem() const
{
    return lblProblem->text();
}

void frmDesigner::createControls()
{
    scrPage = new QScrollArea(this);
    scrPage->setObjectName(QStringLiteral("scrPage"));
    scrPage->setAlignment(Qt::AlignCenter);
    scrPage->setBackgroundRole(QPalette::Dark);
    pgvDesign = new DesignView;
    pgvDesign->setObjectName(QStringLiteral("pgvDesign"));
    scrPage->setWidget(pgvDesign);
    scrPage->setFocusPolicy(Qt::NoFocus);
    connect(pgvDesign, &DesignView::dragged, this, &frmDesigner::showDrag);
    connect(pgvDesign, &DesignView::dragEnded, this, &frmDesigner::endDrag);
    connect(pgvDesign, &DesignView::widthDragged, this, &frmDesigner::showWidthDrag);
    connect(pgvDesign, &DesignView::widthDragEnded, this, &frmDesigner::endWidthDrag);
    connect(pgvDesign, &DesignView::nudged, this, &frmDesigner::nudge);

    lblProblem = new QLabel(this);
    lblProblem->setObjectName(QStringLiteral("lblProblem"));
    lblProblem->setWordWrap(true);

    cmdLeafImage = newButton(QStringLiteral("cmdLeafImage"), QStringLiteral("Leaf Image..."), this);
    connect(cmdLeafImage, &QPushButton::clicked, this, &frmDesigner::cmdLeafImage_Click);
    createLeafBoxes();
    cmdUndo = newButton(QStringLiteral("cmdUndo"), QStringLiteral("Undo"), this);
    connect(cmdUndo, &QPushButton::clicked, &m_undo, &QUndoStack::undo);
    connect(&m_undo, &QUndoStack::canUndoChanged, cmdUndo, &QWidget::setEnabled);
    cmdRedo = newButton(QStringLiteral("cmdRedo"), QStringLiteral("Redo"), this);
    connect(cmdRedo, &QPushButton::clicked, &m_undo, &QUndoStack::redo);
    connect(&m_undo, &QUndoStack::canRedoChanged, cmdRedo, &QWidget::setEnabled);
    cmdUndo->setEnabled(false);
    cmdRedo->setEnabled(false);
    QAction *undo = m_undo.createUndoAction(this);
    undo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    QAction *redo = m_undo.createRedoAction(this);
    redo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
    addActions({undo, redo});

    cmdOK = newButton(QStringLiteral("cmdOK"), QStringLiteral("OK"), this);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    cmdCancel = newButton(QStringLiteral("cmdCancel"), QStringLiteral("Cancel"), this);
    connect(cmdCancel, &QPushButton::clicked, this, &frmDesigner::reject);

    // Typing in the layout window, or another unit or bank, is taken once
    // the window has done with it.
    connect(m_boxes, &LayoutBoxes::edited, this, [this] {
        QMetaObject::invokeMethod(this, &frmDesigner::takeEdits, Qt::QueuedConnection);
    });
}

// Each measure is taken when the user leaves its box or presses Enter.
void frmDesigner::createLeafBoxes()
{
    for (int i = 0; i < LeafMeasureCount; ++i) {
        lblLeaf[i] = new QLabel(leafBoxes[i].caption, this);
        lblLeaf[i]->setObjectName(QStringLiteral("lbl") + leafBoxes[i].name.mid(3));
        lblLeaf[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        txtLeaf[i] = new QLineEdit(this);
        txtLeaf[i]->setObjectName(leafBoxes[i].name);
        connect(txtLeaf[i], &QLineEdit::editingFinished, this,
                [this, i] { txtLeaf_Changed(LeafMeasure(i)); });
    }
    lblLeafUnit = new QLabel(QStringLiteral("mm"), this);
    lblLeafUnit->setObjectName(QStringLiteral("lblLeafUnit"));
}

void frmDesigner::placeControls()
{
    setFixedSize(twipsSize(14700, 7860));
    scrPage->setGeometry(twips(120, 120, 14460, 6660));
    lblProblem->setGeometry(twips(120, 6840, 14460, 435));
    cmdLeafImage->setGeometry(twips(120, 7380, 1600, 375));
    cmdUndo->setGeometry(twips(1830, 7380, 1100, 375));
    cmdRedo->setGeometry(twips(3040, 7380, 1100, 375));
    for (int i = 0; i < LeafMeasureCount; ++i) {
        const LeafBox &box = leafBoxes[i];
        lblLeaf[i]->setGeometry(twips(box.labelLeft, 7380, box.labelWidth, 375));
        txtLeaf[i]->setGeometry(twips(box.labelLeft + box.labelWidth + 60, 7410, leafBoxWidth, 315));
    }
    lblLeafUnit->setGeometry(twips(10290, 7380, 600, 375));
    cmdOK->setGeometry(twips(11895, 7380, 1290, 375));
    cmdCancel->setGeometry(twips(13290, 7380, 1290, 375));
}

void frmDesigner::setTabOrder()
{
    setTabChain({pgvDesign, cmdOK, cmdCancel, cmdLeafImage, txtLeaf[LeafWidth],
                 txtLeaf[LeafHeight], txtLeaf[LeafLeft], txtLeaf[LeafTop], cmdUndo, cmdRedo});
}

// The sample cheque and leaf of the bank the layout window names, read
// again only when the name changes.
void frmDesigner::readSample()
{
    const QString bankName = m_boxes->bankName();
    if (bankName == m_sample.bankName && m_sample.date.isValid())
        return;
    m_sample = sampleCheque(bankName);
    showLeaf(loadLeafImage(bankName));
}

// The leaf under the items, its measures in the boxes; without a leaf
// there is nothing to measure.
void frmDesigner::showLeaf(const std::optional<LeafImage> &leaf)
{
    m_leaf = leaf;
    pgvDesign->setLeafImage(leaf);
    for (int i = 0; i < LeafMeasureCount; ++i) {
        txtLeaf[i]->setText(leaf ? boxText(leafMeasure(leaf->millimetres, LeafMeasure(i)))
                                 : QString());
        txtLeaf[i]->setEnabled(bool(leaf));
    }
}

// Composes the sample for the boxes as they stand and frames every item.
void frmDesigner::refresh()
{
    // 1. The page and the unit.
    m_geometry = geometry();
    LayoutRecord layout{m_sample.bankName, m_boxes->unitName(), {}};
    for (int column = 0; column < LayoutPositionCount; ++column) {
        if (const std::optional<double> at = value(LayoutPosition(column)))
            layout.positions[column] = float(*at);
    }

    // 2. The sample by the printing steps; a refused one shows the boxes alone.
    PreviewPrinter printer(m_printerName);
    const QString refusal = composeSamplePage(layout, m_boxes->wordsChoice(), m_sample, printer);
    m_page = refusal.isEmpty() ? printer.page() : PreviewPrinter::Page{};
    if (m_page.size.isEmpty()) {
        QPrinter paper(QPrinter::HighResolution);
        paper.setPrinterName(m_printerName);
        applyOrientation(paper, landscape);
        applyPaperSize(paper, envelope10);
        m_page.size = paper.pageLayout().fullRectPoints().size().toSizeF();
        m_page.printableArea = m_geometry.printableArea;
    }
    pgvDesign->setPage(m_page);
    lblProblem->setText(refusal.simplified());

    // 3. The boxes, where the layout puts them.
    m_placed = boxesOf(m_page);
    pgvDesign->setBoxes(m_placed, widthHandles(m_placed));
    for (int column = 0; column < LayoutPositionCount; ++column)
        m_dragStartTexts[column] = m_boxes->text(LayoutPosition(column));
}

frmDesigner::Geometry frmDesigner::geometry() const
{
    QPrinter paper(QPrinter::HighResolution);
    paper.setPrinterName(m_printerName);
    applyOrientation(paper, landscape);
    applyPaperSize(paper, envelope10);
    const int scaleMode = scaleModeFor(m_boxes->unitName());
    const double dpiX = paper.logicalDpiX(), dpiY = paper.logicalDpiY();
    return {printableArea(paper.pageLayout()),
            QSizeF(dotsPerUnit(scaleMode, dpiX) * 72 / dpiX, dotsPerUnit(scaleMode, dpiY) * 72 / dpiY),
            scaleMode};
}

std::optional<double> frmDesigner::value(LayoutPosition column) const
{
    const QString text = m_boxes->text(column);
    if (text.trimmed().isEmpty())
        return std::nullopt;
    return readLeadingNumber(text);
}

QPointF frmDesigner::pointAt(LayoutPosition left, LayoutPosition top) const
{
    const QSizeF &perUnit = m_geometry.pointsPerUnit;
    return m_geometry.printableArea.topLeft()
        + QPointF(value(left).value_or(0) * perUnit.width(),
                  value(top).value_or(0) * perUnit.height());
}

// Each item framed round the text printed at its place, or as an empty box
// where nothing is printed there.
QList<DesignView::Box> frmDesigner::boxesOf(const PreviewPrinter::Page &page) const
{
    QList<DesignView::Box> boxes;
    for (int item = 0; item < int(items.size()); ++item) {
        const QPointF corner = pointAt(items[item].left, items[item].top);
        DesignView::Box box{item, items[item].name, QRectF(corner, emptyBoxSize), false};
        for (const PreviewPrinter::Text &text : page.texts) {
            if ((text.box.topLeft() - corner).manhattanLength() < 0.01) {
                box.points = text.box;
                box.hasText = true;
            }
        }
        boxes.append(box);
    }
    return boxes;
}

// Where a words line ends for a width in the layout's unit: line 2 without
// a width of its own runs to the printable area's right edge.
double frmDesigner::lineEnd(int line, const QRectF &box, double width) const
{
    if (line == 1 && width <= 0)
        return m_geometry.printableArea.right();
    return box.left() + width * m_geometry.pointsPerUnit.width();
}

// A handle at the end of each words line.
QList<QRectF> frmDesigner::widthHandles(const QList<DesignView::Box> &boxes) const
{
    QList<QRectF> handles;
    for (int line = 0; line < int(wordsWidths.size()); ++line) {
        const QRectF &box = boxes[wordsLine1 + line].points;
        handles.append(QRectF(lineEnd(line, box, value(wordsWidths[line]).value_or(0)), box.top(),
                              0, box.height()));
    }
    return handles;
}

// The width a handle dragged this far from where the drag began gives its
// line, in the layout's unit.
double frmDesigner::handleWidth(int line, double points) const
{
    const QRectF &box = m_placed[wordsLine1 + line].points;
    const double start = lineEnd(line, box, readLeadingNumber(m_dragStartTexts[wordsWidths[line]]));
    return (start + points - box.left()) / m_geometry.pointsPerUnit.width();
}

// The item follows the pointer, and its boxes in the layout window with it.
void frmDesigner::showDrag(int item, QPointF points)
{
    const Item &moved = items[item];
    const QSizeF &perUnit = m_geometry.pointsPerUnit;
    const double left = readLeadingNumber(m_dragStartTexts[moved.left]) + points.x() / perUnit.width();
    const double top = readLeadingNumber(m_dragStartTexts[moved.top]) + points.y() / perUnit.height();
    m_boxes->setText(moved.left, boxText(left));
    m_boxes->setText(moved.top, boxText(top));

    // The page is composed again when the drag ends; until then the item's
    // text and box are shifted by what the boxes now say.
    const QPointF shift = pointAt(moved.left, moved.top) - m_placed[item].points.topLeft();
    PreviewPrinter::Page page = m_page;
    for (PreviewPrinter::Text &text : page.texts) {
        if (text.box == m_placed[item].points) {
            text.box.translate(shift);
            text.baseline += shift.y();
        }
    }
    QList<DesignView::Box> boxes = m_placed;
    boxes[item].points.translate(shift);
    pgvDesign->setPage(page);
    pgvDesign->setBoxes(boxes, widthHandles(boxes));
}

void frmDesigner::endDrag(int item, QPointF points)
{
    showDrag(item, points);
    const Item &moved = items[item];
    change({{moved.left, readLeadingNumber(m_boxes->text(moved.left))},
            {moved.top, readLeadingNumber(m_boxes->text(moved.top))}},
           moved.name);
}

void frmDesigner::showWidthDrag(int line, double points)
{
    m_boxes->setText(wordsWidths[line], boxText(handleWidth(line, points)));
    pgvDesign->setBoxes(m_placed, widthHandles(m_placed));
}

void frmDesigner::endWidthDrag(int line, double points)
{
    showWidthDrag(line, points);
    change({{wordsWidths[line], readLeadingNumber(m_boxes->text(wordsWidths[line]))}},
           wordsWidthNames[line]);
}

// A tenth of the unit, or one unit with Shift; in printer dots one, or ten.
void frmDesigner::nudge(int item, QPoint direction, bool large)
{
    const bool dots = m_geometry.scaleMode == ScalePixels;
    const double step = dots ? (large ? 10 : 1) : (large ? 1 : 0.1);
    const Item &moved = items[item];
    change({{moved.left, value(moved.left).value_or(0) + direction.x() * step},
            {moved.top, value(moved.top).value_or(0) + direction.y() * step}},
           moved.name);
}

// One step of the history: from the texts the boxes showed when the page
// was last composed to these values.
void frmDesigner::change(const QList<std::pair<LayoutPosition, double>> &values,
                         const QString &what)
{
    SetTexts::Texts before, after;
    for (const auto &[column, to] : values) {
        before.append({column, m_dragStartTexts[column]});
        after.append({column, boxText(to)});
    }
    m_undo.push(new SetTexts(what, before, after, false,
                             [this](const SetTexts::Texts &texts) { setTexts(texts); }));
}

// Texts already shown are left alone, so the cursor of a box being typed
// in stays where it is.
void frmDesigner::setTexts(const QList<std::pair<LayoutPosition, QString>> &texts)
{
    for (const auto &[column, text] : texts) {
        if (m_boxes->text(column) != text)
            m_boxes->setText(column, text);
    }
    refresh();
}

// What the user changed in the layout window. Typing in a box is a step of
// the history like a move, so undo takes it back before any older move and
// never writes an older text over it. Another bank's layout starts a history
// of its own: the older steps were of the other bank's numbers.
void frmDesigner::takeEdits()
{
    // 1. Another bank.
    if (m_boxes->bankName() != m_sample.bankName) {
        m_undo.clear();
        readSample();
        refresh();
        return;
    }

    // 2. Typed boxes; a unit or words choice only redraws.
    SetTexts::Texts before, after;
    for (int column = 0; column < LayoutPositionCount; ++column) {
        const QString typed = m_boxes->text(LayoutPosition(column));
        if (typed != m_dragStartTexts[column]) {
            before.append({LayoutPosition(column), m_dragStartTexts[column]});
            after.append({LayoutPosition(column), typed});
        }
    }
    if (after.isEmpty()) {
        refresh();
        return;
    }
    m_undo.push(new SetTexts(QStringLiteral("typing"), before, after, true,
                             [this](const SetTexts::Texts &texts) { setTexts(texts); }));
}

// Escape or Cancel: the boxes as they were when the editor opened, what was
// typed meanwhile in the layout window included, once the user agrees.
void frmDesigner::reject()
{
    if (m_undo.index() > 0
        && !Messages::ask(QStringLiteral("Throw away the changes made to the layout since the "
                                         "editor opened, the numbers typed in the layout "
                                         "window meanwhile included?")))
        return;
    m_undo.setIndex(0);
    showLeaf(m_leaf);  // a leaf measure typed but not entered, dropped before the box loses focus
    QDialog::reject();
}

// The moves are in the layout window's boxes; saving them is its OK's work,
// which the user is told when there is something to save.
void frmDesigner::accept()
{
    if (m_undo.index() > 0)
        Messages::show(QStringLiteral("The changes are in the layout window's boxes. Press OK "
                                      "in the layout window to save them."),
                       Messages::Icon::Information);
    QDialog::accept();
}

void frmDesigner::cmdLeafImage_Click()
{
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Leaf Image"), QString(),
        QStringLiteral("Images (*.png *.jpg *.jpeg);;All files (*)"));
    if (!path.isEmpty())
        attachLeafImage(path);
}

bool frmDesigner::attachLeafImage(const QString &path)
{
    // 1. A bank to keep it for, and a file that is an image.
    const QString bankName = m_boxes->bankName();
    if (bankName.trimmed().isEmpty()) {
        Messages::show(QStringLiteral("Enter the bank name first: a leaf image is kept for a bank."),
                       Messages::Icon::Critical);
        return false;
    }
    LeafImageRow row;
    if (const QString problem = readLeafImageFile(path, &row); !problem.isEmpty()) {
        Messages::show(problem, Messages::Icon::Critical);
        return false;
    }

    // 2. Kept at once (a leaf is no part of the layout's OK); a leaf the
    // bank had keeps its size and place.
    const Connection connection(QStringLiteral("attachLeafImage"));
    std::optional<LeafImageRow> earlier;
    QSqlError error = connection.error();
    if (!error.isValid())
        error = findLeafImage(connection.database(), bankName, &earlier);
    if (earlier)
        row = {row.image, row.screenImage, earlier->widthMm, earlier->heightMm, earlier->leftMm, earlier->topMm};
    if (!error.isValid())
        error = replaceLeafImage(connection.database(), bankName, row);
    if (error.isValid()) {
        Messages::show(failureText(QStringLiteral("save the leaf image"), error),
                       Messages::Icon::Critical);
        return false;
    }

    // 3. Shown under the items.
    showLeaf(leafImageFrom(row));
    return true;
}

// A measure typed for the leaf is kept at once, as the leaf itself is; one
// that cannot be a leaf's is refused and the kept one shown again.
void frmDesigner::txtLeaf_Changed(LeafMeasure which)
{
    // 1. A measure of a leaf, changed.
    if (!m_leaf)
        return;
    QRectF place = m_leaf->millimetres;
    if (const QString problem = readLeafMeasure(which, txtLeaf[which]->text(), &place);
        !problem.isEmpty()) {
        Messages::show(problem, Messages::Icon::Critical);
        showLeaf(m_leaf);
        return;
    }
    if (place == m_leaf->millimetres)
        return;

    // 2. Kept for the bank.
    const Connection connection(QStringLiteral("txtLeaf_Changed"));
    QSqlError error = connection.error();
    if (!error.isValid())
        error = updateLeafPlace(connection.database(), m_sample.bankName,
                                {{}, {}, place.width(), place.height(), place.left(), place.top()});
    if (error.isValid()) {
        Messages::show(failureText(QStringLiteral("save the leaf's size and place"), error),
                       Messages::Icon::Critical);
        showLeaf(m_leaf);
        return;
    }

    // 3. Drawn there.
    m_leaf->millimetres = place;
    showLeaf(m_leaf);
}
