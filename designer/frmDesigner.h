#pragma once

#include "designview.h"
#include "leafmeasures.h"
#include "leafimage.h"
#include "previewprinter.h"
#include "samplepage.h"

#include <QDialog>
#include <QUndoStack>
#include <array>
#include <optional>

class LayoutBoxes;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

// The bank's cheque layout drawn on the page over its leaf image, with a
// sample cheque placed by the printing code. Items are moved by mouse or
// arrow keys and the first words line's width by its handle; every move
// is written at once into the layout window's boxes, in the layout's unit.
// Typing in the layout window's boxes is a step of the editor's history too.
// Escape or Cancel puts the boxes back as they were, asking first when
// anything changed; OK keeps the moves for the layout window's own OK to
// save, and says so. An empty layout starts as on a typical leaf. The leaf image, its size and its place
// are kept for the bank as soon as they are given.
class frmDesigner : public QDialog
{
    Q_OBJECT
public:
    frmDesigner(LayoutBoxes *boxes, QWidget *parent);

    // Opens the editor over the layout window, or brings forward the one open.
    static void install();

    // Keeps the image file as the bank's leaf and shows it; false, after
    // saying why, when it cannot.
    bool attachLeafImage(const QString &path);
    QString problem() const;  // why the sample cannot be composed; empty when it can
    DesignView *view() const { return pgvDesign; }

public slots:
    void cmdLeafImage_Click();
    void txtLeaf_Changed(LeafMeasure which);
    void reject() override;
    void accept() override;

private:
    struct Geometry {
        QRectF printableArea;  // in points on the page
        QSizeF pointsPerUnit;
        int scaleMode;
    };

    void createControls();
    void createLeafBoxes();
    void placeControls();
    void setTabOrder();
    void readSample();
    void placeEmptyLayout();
    void showLeaf(const std::optional<LeafImage> &leaf);
    void refresh();
    Geometry geometry() const;
    std::optional<double> value(store::LayoutPosition column) const;
    QPointF pointAt(store::LayoutPosition left, store::LayoutPosition top) const;
    QList<DesignView::Box> boxesOf(const PreviewPrinter::Page &page) const;
    QList<QRectF> widthHandles(const QList<DesignView::Box> &boxes) const;
    double handleWidth(int line, double points) const;
    double lineEnd(int line, const QRectF &box, double width) const;
    void showDrag(int item, QPointF points);
    void endDrag(int item, QPointF points);
    void showWidthDrag(int line, double points);
    void endWidthDrag(int line, double points);
    void nudge(int item, QPoint direction, bool large);
    void change(const QList<std::pair<store::LayoutPosition, double>> &values,
                const QString &what);
    void setTexts(const QList<std::pair<store::LayoutPosition, QString>> &texts);
    void takeEdits();

    LayoutBoxes *m_boxes;
    QUndoStack m_undo;
    ChequeItems m_sample;
    QString m_printerName;
    Geometry m_geometry;
    PreviewPrinter::Page m_page;  // as last composed, before any drag
    QList<DesignView::Box> m_placed;
    // The boxes' texts when the page was last composed: where a drag starts,
    // and what a step of the history goes back to.
    std::array<QString, store::LayoutPositionCount> m_dragStartTexts;
    std::optional<LeafImage> m_leaf;  // the bank's, as kept

    QScrollArea *scrPage = nullptr;
    DesignView *pgvDesign = nullptr;
    QLabel *lblProblem = nullptr;
    QPushButton *cmdLeafImage = nullptr;
    QPushButton *cmdUndo = nullptr;
    QPushButton *cmdRedo = nullptr;
    // The leaf's size and place, in the order of LeafMeasure.
    std::array<QLabel *, LeafMeasureCount> lblLeaf{};
    std::array<QLineEdit *, LeafMeasureCount> txtLeaf{};
    QLabel *lblLeafUnit = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
};
