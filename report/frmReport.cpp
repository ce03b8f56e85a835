#include "frmReport.h"

#include "controls.h"
#include "database.h"
#include "failure.h"
#include "messages.h"
#include "registeractions.h"
#include "registermodel.h"
#include "registerwatch.h"
#include "shortdate.h"
#include "statements.h"
#include "twips.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSqlError>
#include <QTableView>

namespace {

// The date both pickers start at, each time the window opens.
const QDate openingDate(2008, 9, 13);

} // namespace

frmReport::frmReport(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmReport"));
    setWindowTitle(QStringLiteral("Cheque Issue Register"));
    createControls();
    placeControls();
    setTabOrder();
    pressButtonsOnlyWithFocus(this);
    followOtherDesks();
    Form_Load();
}

void frmReport::followOtherDesks()
{
    auto *watch = new store::RegisterWatch(this);
    connect(watch, &store::RegisterWatch::changed, this, &frmReport::showChangesOfOtherDesks);
}

void frmReport::showChangesOfOtherDesks()
{
    // 1. Nothing shown, nothing to follow.
    if (!registerRows->showsRegister())
        return;
    // 2. The rows read again, as Show reads them.
    const int current = DataGrid1->currentIndex().row();
    const int scrolled = DataGrid1->verticalScrollBar()->value();
    if (const QSqlError error = registerRows->reload(); error.isValid())
        showFailure(QStringLiteral("show the cheque issue register"), error);
    // 3. The grid kept where the user had it, and the totals brought up to date.
    while (registerRows->canFetchMore() && registerRows->rowCount() <= current)
        registerRows->fetchMore();
    if (current >= 0)
        DataGrid1->setCurrentIndex(registerRows->index(current, 0));
    DataGrid1->verticalScrollBar()->setValue(scrolled);
    actions->showTotals();
}

void frmReport::createControls()
{
    Frame2 = new QGroupBox(this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Label1 = addLabel(QStringLiteral("Label1"), QStringLiteral("From"));
    DTPicker1 = addDatePicker(QStringLiteral("DTPicker1"));
    Label2 = addLabel(QStringLiteral("Label2"), QStringLiteral("To"));
    DTPicker2 = addDatePicker(QStringLiteral("DTPicker2"));
    Label3 = addLabel(QStringLiteral("Label3"), QStringLiteral("Bank"));

    cmbBnk = newTypingComboBox(QStringLiteral("cmbBnk"), Frame2);
    cmbBnk->setEditText(QStringLiteral("cmbbnk"));

    Command1 = new QPushButton(QStringLiteral("Show Report"), Frame2);
    Command1->setObjectName(QStringLiteral("Command1"));
    connect(Command1, &QPushButton::clicked, this, &frmReport::Command1_Click);

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    registerRows = new RegisterModel(this);
    DataGrid1 = new QTableView(Frame1);
    DataGrid1->setObjectName(QStringLiteral("DataGrid1"));
    DataGrid1->setFont(QFont(QStringLiteral("MS Sans Serif")));
    DataGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the grid for the next control instead of walking its cells.
    DataGrid1->setTabKeyNavigation(false);
    DataGrid1->setModel(registerRows);
    actions = new RegisterActions(registerRows, DataGrid1, Frame1);
}

QLabel *frmReport::addLabel(const QString &name, const QString &caption)
{
    auto *label = new QLabel(caption, Frame2);
    label->setObjectName(name);
    return label;
}

QDateEdit *frmReport::addDatePicker(const QString &name)
{
    auto *picker = new QDateEdit(Frame2);
    picker->setObjectName(name);
    picker->setDisplayFormat(shortDateFormat());
    picker->setCalendarPopup(true);
    picker->setDateRange(QDate(1601, 1, 1), QDate(9999, 12, 31));
    picker->setDate(openingDate);
    return picker;
}

void frmReport::placeControls()
{
    setFixedSize(twipsSize(8130, 5010));
    Frame2->setGeometry(twips(105, 60, 7815, 525));
    Label1->setGeometry(twips(150, 180, 1140, 315));
    DTPicker1->setGeometry(twips(555, 195, 1305, 255));
    Label2->setGeometry(twips(1980, 165, 555, 315));
    DTPicker2->setGeometry(twips(2220, 210, 1305, 255));
    Label3->setGeometry(twips(3690, 210, 780, 225));
    cmbBnk->setGeometry(twips(4395, 165, 1245, 315));
    Command1->setGeometry(twips(6195, 210, 1305, 240));
    Frame1->setGeometry(twips(75, 585, 7905, 4440));
    DataGrid1->setGeometry(twips(105, 195, 7680, 3855));
    actions->setGeometry(twips(105, 4080, 7680, 300));  // the free strip under the grid
}

void frmReport::setTabOrder()
{
    // Frames and labels take no focus; they stand in the chain where the
    // window lists them.
    const QList<QWidget *> order{Frame1, DataGrid1, Frame2,   Label1, DTPicker1,
                                 Label2, DTPicker2, Command1, Label3, cmbBnk};
    setTabChain(order + actions->tabOrder());
}

void frmReport::Form_Load()
{
    // 1. Open a connection for this step only.
    const store::Connection connection(objectName());
    if (!connection.isOpen()) {
        showFailure(QStringLiteral("list the banks"), connection.error());
        return;
    }

    // 2. Read the banks that have a cheque layout, in the order stored.
    QStringList bankNames;
    const QSqlError error = store::listLayoutBankNames(connection.database(), &bankNames);
    if (error.isValid()) {
        showFailure(QStringLiteral("list the banks"), error);
        return;
    }

    // 3. List them. Filling an empty list picks its first item; the box
    //    keeps the text it had.
    const QString text = cmbBnk->currentText();
    cmbBnk->addItems(bankNames);
    cmbBnk->setEditText(text);
}

void frmReport::Command1_Click()
{
    // 1-3. The bank's cheques dated from the first date to the last, both
    //    included, read on a new connection that the grid keeps while it
    //    shows them, in place of the rows shown before. The name and dates
    //    are bound as they stand, so a quote is just a character and the
    //    user's date format plays no part; a first date after the last
    //    selects nothing. A failure leaves the grid empty.
    const QSqlError error = registerRows->showRegister(cmbBnk->currentText(), DTPicker1->date(),
                                                       DTPicker2->date());
    if (error.isValid())
        showFailure(QStringLiteral("show the cheque issue register"), error);
    actions->showTotals();
}

void frmReport::showFailure(const QString &whatFailed, const QSqlError &error)
{
    Messages::show(store::failureText(whatFailed, error), Messages::Icon::Critical);
}
