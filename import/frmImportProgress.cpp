#include "frmImportProgress.h"

#include "twips.h"

#include <QLabel>

namespace {

constexpr qint64 quietMilliseconds = 500;

} // namespace

frmImportProgress::frmImportProgress(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                          | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("frmImportProgress"));
    setWindowTitle(QStringLiteral("Quillmark"));
    createControls();
    placeControls();
    m_started.start();
}

void frmImportProgress::createControls()
{
    lblReading = new QLabel(QStringLiteral("Copying the data of the older program's Access "
                                           "file into Quillmark's own format..."),
                            this);
    lblReading->setObjectName(QStringLiteral("lblReading"));
    lblReading->setWordWrap(true);
    lblCounts = new QLabel(countsText(), this);
    lblCounts->setObjectName(QStringLiteral("lblCounts"));
}

void frmImportProgress::placeControls()
{
    setFixedSize(twipsSize(5400, 1500));
    lblReading->setGeometry(twips(240, 180, 4920, 600));
    lblCounts->setGeometry(twips(240, 900, 4920, 360));
}

QString frmImportProgress::countsText() const
{
    return QStringLiteral("Banks: %1   Payees: %2   Layouts: %3   Register rows: %4")
        .arg(m_counts[0]).arg(m_counts[1]).arg(m_counts[2]).arg(m_counts[3]);
}

void frmImportProgress::rowsRead(int table, qint64 rows)
{
    if (table < 0 || table >= int(m_counts.size()))
        return;
    m_counts[table] = rows;
    lblCounts->setText(countsText());
    // A short reading shows no window at all.
    if (!isVisible() && m_started.elapsed() > quietMilliseconds)
        show();
}
