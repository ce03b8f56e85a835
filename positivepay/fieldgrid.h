#pragma once

#include "paylayout.h"

#include <QTableWidget>

// The fields of a layout, one a row, each cell a control: the field, its
// width, alignment, fill character and whether it is cut.
class FieldGrid : public QTableWidget
{
    Q_OBJECT
public:
    explicit FieldGrid(QWidget *parent = nullptr);

    void setFields(const QList<positivepay::FieldSpec> &fields);
    QList<positivepay::FieldSpec> fields() const;

    void addField();
    void removeField();
    // Moves the chosen field one place up (-1) or down (+1).
    void moveField(int by);

signals:
    void fieldsChanged();

private:
    enum Column { FieldColumn, WidthColumn, AlignColumn, FillColumn, CutColumn, ColumnCount };
    void showRow(int row, const positivepay::FieldSpec &fieldSpec);
    positivepay::FieldSpec specAt(int row) const;
};
