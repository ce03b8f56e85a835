#include "fieldgrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QSpinBox>

#include "twips.h"

using namespace positivepay;

FieldGrid::FieldGrid(QWidget *parent)
    : QTableWidget(0, ColumnCount, parent)
{
    setHorizontalHeaderLabels({QStringLiteral("Field"), QStringLiteral("Width"),
                               QStringLiteral("Align"), QStringLiteral("Fill"),
                               QStringLiteral("Cut")});
    horizontalHeader()->setSectionResizeMode(FieldColumn, QHeaderView::Stretch);
    for (const auto &[column, twipsWide] : {std::pair{WidthColumn, 900}, {AlignColumn, 1000},
                                             {FillColumn, 540}, {CutColumn, 540}})
        setColumnWidth(column, twipsToPixels(twipsWide));
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 10);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void FieldGrid::setFields(const QList<FieldSpec> &fields)
{
    setRowCount(0);
    setRowCount(fields.size());
    for (int row = 0; row < fields.size(); ++row)
        showRow(row, fields[row]);
    emit fieldsChanged();
}

QList<FieldSpec> FieldGrid::fields() const
{
    QList<FieldSpec> specs;
    for (int row = 0; row < rowCount(); ++row)
        specs << specAt(row);
    return specs;
}

void FieldGrid::showRow(int row, const FieldSpec &fieldSpec)
{
    auto *field = new QComboBox;
    for (const Field each : allFields())
        field->addItem(fieldName(each), int(each));
    field->setCurrentIndex(field->findData(int(fieldSpec.field)));
    auto *width = new QSpinBox;
    width->setRange(0, 999);
    width->setValue(fieldSpec.width);
    auto *align = new QComboBox;
    align->addItems({QStringLiteral("Left"), QStringLiteral("Right")});
    align->setCurrentIndex(fieldSpec.alignment == Alignment::Left ? 0 : 1);
    auto *fill = new QLineEdit(QString(fieldSpec.fill));
    fill->setMaxLength(1);
    auto *cut = new QCheckBox;
    cut->setChecked(fieldSpec.cut);

    const QList<QWidget *> cells{field, width, align, fill, cut};
    for (int column = 0; column < ColumnCount; ++column) {
        cells[column]->setObjectName(QStringLiteral("grdFields%1_%2").arg(row).arg(column));
        setCellWidget(row, column, cells[column]);
    }
    connect(field, &QComboBox::currentIndexChanged, this, &FieldGrid::fieldsChanged);
    connect(width, &QSpinBox::valueChanged, this, &FieldGrid::fieldsChanged);
    connect(align, &QComboBox::currentIndexChanged, this, &FieldGrid::fieldsChanged);
    connect(fill, &QLineEdit::textChanged, this, &FieldGrid::fieldsChanged);
    connect(cut, &QCheckBox::toggled, this, &FieldGrid::fieldsChanged);
}

FieldSpec FieldGrid::specAt(int row) const
{
    FieldSpec fieldSpec;
    fieldSpec.field = Field(qobject_cast<QComboBox *>(cellWidget(row, FieldColumn))->currentData().toInt());
    fieldSpec.width = qobject_cast<QSpinBox *>(cellWidget(row, WidthColumn))->value();
    fieldSpec.alignment = qobject_cast<QComboBox *>(cellWidget(row, AlignColumn))->currentIndex() == 0
                         ? Alignment::Left
                         : Alignment::Right;
    const QString fill = qobject_cast<QLineEdit *>(cellWidget(row, FillColumn))->text();
    fieldSpec.fill = fill.isEmpty() ? QChar() : fill.front();
    fieldSpec.cut = qobject_cast<QCheckBox *>(cellWidget(row, CutColumn))->isChecked();
    return fieldSpec;
}

void FieldGrid::addField()
{
    QList<FieldSpec> specs = fields();
    const int at = currentRow() < 0 ? specs.size() : currentRow() + 1;
    specs.insert(at, FieldSpec{Field::PayeeName, 0, Alignment::Left, QLatin1Char(' '), false});
    setFields(specs);
    selectRow(at);
}

void FieldGrid::removeField()
{
    const int row = currentRow();
    if (row < 0)
        return;
    QList<FieldSpec> specs = fields();
    specs.removeAt(row);
    setFields(specs);
    selectRow(qMin(row, specs.size() - 1));
}

void FieldGrid::moveField(int by)
{
    const int row = currentRow();
    QList<FieldSpec> specs = fields();
    if (row < 0 || row + by < 0 || row + by >= specs.size())
        return;
    specs.swapItemsAt(row, row + by);
    setFields(specs);
    selectRow(row + by);
}
