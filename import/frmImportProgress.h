#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <array>

class QLabel;

// Shown while the older program's Access file is read, once that has taken
// half a second: how many rows of each table have come so far. The reading
// cannot be cut off halfway, so Escape and Enter leave the window alone.
class frmImportProgress : public QDialog
{
    Q_OBJECT
public:
    explicit frmImportProgress(QWidget *parent = nullptr);

    // The rows read so far of one table, in the order Bank, Payee,
    // Positions, ChqIssuereg.
    void rowsRead(int table, qint64 rows);
    QString countsText() const;

public slots:
    void reject() override {}

private:
    void createControls();
    void placeControls();

    QLabel *lblReading = nullptr;
    QLabel *lblCounts = nullptr;
    QElapsedTimer m_started;
    std::array<qint64, 4> m_counts{};
};
