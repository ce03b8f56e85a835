#include "frmPayLayout.h"

#include "controls.h"
#include "database.h"
#include "failure.h"
#include "fieldgrid.h"
#include "layoutpreview.h"
#include "layoutstore.h"
#include "messages.h"
#include "twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace positivepay;

frmPayLayout::frmPayLayout(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPayLayout"));
    setWindowTitle(QStringLiteral("Positive Pay Layouts"));
    createControls();
    placeControls();
    setTabOrder();
    pressButtonsOnlyWithFocus(this);
    loadLayouts();
    cmbName->setFocus();
}

template <class Control>
Control *frmPayLayout::add(Control *control, const QString &name)
{
    control->setParent(this);
    control->setObjectName(name);
    return control;
}

void frmPayLayout::createControls()
{
    lblName = add(new QLabel(QStringLiteral("Layout")), QStringLiteral("lblName"));
    cmbName = newTypingComboBox(QStringLiteral("cmbName"), this);
    ignoreEnterIn(cmbName);
    connect(cmbName, &QComboBox::activated, this, &frmPayLayout::cmbName_Activated);
    optDelimited = add(new QRadioButton(QStringLiteral("Delimited by")),
                       QStringLiteral("optDelimited"));
    txtDelimiter = add(new QLineEdit, QStringLiteral("txtDelimiter"));
    txtDelimiter->setMaxLength(1);
    optFixed = add(new QRadioButton(QStringLiteral("Fixed width")), QStringLiteral("optFixed"));
    chkHeader = add(new QCheckBox(QStringLiteral("Header line")), QStringLiteral("chkHeader"));
    chkAscii = add(new QCheckBox(QStringLiteral("ASCII only")), QStringLiteral("chkAscii"));
    lblDate = add(new QLabel(QStringLiteral("Date")), QStringLiteral("lblDate"));
    cmbDate = newTypingComboBox(QStringLiteral("cmbDate"), this);
    cmbDate->addItems({QStringLiteral("dd-MM-yyyy"), QStringLiteral("yyyy-MM-dd"),
                       QStringLiteral("MMddyy"), QStringLiteral("MMddyyyy"),
                       QStringLiteral("yyyyMMdd"), QStringLiteral("MM/dd/yyyy"),
                       QStringLiteral("dd/MM/yyyy"), QStringLiteral("ddMMyyyy")});
    lblAmount = add(new QLabel(QStringLiteral("Amount")), QStringLiteral("lblAmount"));
    cmbAmount = add(new QComboBox, QStringLiteral("cmbAmount"));
    for (const AmountStyle style : allAmountStyles())
        cmbAmount->addItem(amountStyleName(style), int(style));
    lblIssue = add(new QLabel(QStringLiteral("Issue code")), QStringLiteral("lblIssue"));
    txtIssue = add(new QLineEdit, QStringLiteral("txtIssue"));
    lblVoid = add(new QLabel(QStringLiteral("Void code")), QStringLiteral("lblVoid"));
    txtVoid = add(new QLineEdit, QStringLiteral("txtVoid"));
    chkTrailer = add(new QCheckBox(QStringLiteral("Trailer (count and total), code")),
                     QStringLiteral("chkTrailer"));
    txtTrailer = add(new QLineEdit, QStringLiteral("txtTrailer"));
    createFieldControls();
    lblPreview = add(new QLabel(QStringLiteral("Preview of the first lines")),
                     QStringLiteral("lblPreview"));
    txtPreview = add(new QPlainTextEdit, QStringLiteral("txtPreview"));
    txtPreview->setReadOnly(true);
    txtPreview->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtPreview->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    cmdSave = newButton(QStringLiteral("cmdSave"), QStringLiteral("Save"), this);
    connect(cmdSave, &QPushButton::clicked, this, &frmPayLayout::cmdSave_Click);
    cmdClose = newButton(QStringLiteral("cmdClose"), QStringLiteral("Close"), this);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);

    for (QRadioButton *option : {optDelimited, optFixed})
        connect(option, &QRadioButton::toggled, this, &frmPayLayout::updatePreview);
    for (QCheckBox *check : {chkHeader, chkAscii, chkTrailer})
        connect(check, &QCheckBox::toggled, this, &frmPayLayout::updatePreview);
    for (QLineEdit *text : {txtDelimiter, txtIssue, txtVoid, txtTrailer})
        connect(text, &QLineEdit::textChanged, this, &frmPayLayout::updatePreview);
    connect(cmbDate, &QComboBox::currentTextChanged, this, &frmPayLayout::updatePreview);
    connect(cmbAmount, &QComboBox::currentIndexChanged, this, &frmPayLayout::updatePreview);
}

void frmPayLayout::createFieldControls()
{
    grdFields = add(new FieldGrid, QStringLiteral("grdFields"));
    connect(grdFields, &FieldGrid::fieldsChanged, this, &frmPayLayout::updatePreview);
    cmdAdd = newButton(QStringLiteral("cmdAdd"), QStringLiteral("Add"), this);
    connect(cmdAdd, &QPushButton::clicked, grdFields, &FieldGrid::addField);
    cmdRemove = newButton(QStringLiteral("cmdRemove"), QStringLiteral("Remove"), this);
    connect(cmdRemove, &QPushButton::clicked, grdFields, &FieldGrid::removeField);
    cmdUp = newButton(QStringLiteral("cmdUp"), QStringLiteral("Up"), this);
    connect(cmdUp, &QPushButton::clicked, grdFields, [this] { grdFields->moveField(-1); });
    cmdDown = newButton(QStringLiteral("cmdDown"), QStringLiteral("Down"), this);
    connect(cmdDown, &QPushButton::clicked, grdFields, [this] { grdFields->moveField(1); });
}

void frmPayLayout::placeControls()
{
    setFixedSize(twipsSize(8400, 6780));
    lblName->setGeometry(twips(120, 150, 900, 255));
    cmbName->setGeometry(twips(1080, 120, 3720, 315));
    optDelimited->setGeometry(twips(120, 540, 1500, 255));
    txtDelimiter->setGeometry(twips(1640, 525, 300, 285));
    optFixed->setGeometry(twips(2160, 540, 1500, 255));
    chkHeader->setGeometry(twips(3780, 540, 1600, 255));
    chkAscii->setGeometry(twips(5520, 540, 1600, 255));
    lblDate->setGeometry(twips(120, 960, 900, 255));
    cmbDate->setGeometry(twips(1080, 930, 1800, 315));
    lblAmount->setGeometry(twips(3060, 960, 900, 255));
    cmbAmount->setGeometry(twips(3960, 930, 3000, 315));
    lblIssue->setGeometry(twips(120, 1380, 1100, 255));
    txtIssue->setGeometry(twips(1260, 1365, 600, 285));
    lblVoid->setGeometry(twips(2040, 1380, 1000, 255));
    txtVoid->setGeometry(twips(3060, 1365, 600, 285));
    chkTrailer->setGeometry(twips(3840, 1380, 3480, 255));
    txtTrailer->setGeometry(twips(7380, 1365, 900, 285));
    grdFields->setGeometry(twips(120, 1800, 6960, 2400));
    cmdAdd->setGeometry(twips(7200, 1800, 1080, 345));
    cmdRemove->setGeometry(twips(7200, 2205, 1080, 345));
    cmdUp->setGeometry(twips(7200, 2610, 1080, 345));
    cmdDown->setGeometry(twips(7200, 3015, 1080, 345));
    lblPreview->setGeometry(twips(120, 4320, 3000, 255));
    txtPreview->setGeometry(twips(120, 4590, 8160, 1560));
    cmdSave->setGeometry(twips(6000, 6300, 1080, 375));
    cmdClose->setGeometry(twips(7200, 6300, 1080, 375));
}

void frmPayLayout::setTabOrder()
{
    setTabChain({cmbName, optDelimited, txtDelimiter, optFixed, chkHeader, chkAscii, cmbDate,
                 cmbAmount, txtIssue, txtVoid, chkTrailer, txtTrailer, grdFields, cmdAdd,
                 cmdRemove, cmdUp, cmdDown, txtPreview, cmdSave, cmdClose});
}

void frmPayLayout::loadLayouts()
{
    // 1. The built-in layouts and the user's, listed by name.
    const store::Connection connection(objectName());
    QSqlError error = connection.error();
    if (!error.isValid())
        error = allLayouts(connection.database(), &layouts);
    if (error.isValid())
        Messages::show(store::failureText(QStringLiteral("list the layouts"), error),
                       Messages::Icon::Critical);
    // 2. The first shown, or the one the user was on.
    const QString current = cmbName->currentText();
    cmbName->clear();
    for (const Layout &layout : layouts)
        cmbName->addItem(layout.name);
    const int index = qMax(0, cmbName->findText(current));
    cmbName->setCurrentIndex(index);
    cmbName_Activated(index);
}

void frmPayLayout::cmbName_Activated(int index)
{
    if (index >= 0 && index < layouts.size())
        showLayout(layouts[index]);
}

void frmPayLayout::showLayout(const Layout &layout)
{
    (layout.format == Format::Delimited ? optDelimited : optFixed)->setChecked(true);
    txtDelimiter->setText(QString(layout.delimiter));
    chkHeader->setChecked(layout.header);
    chkAscii->setChecked(layout.asciiOnly);
    cmbDate->setCurrentText(layout.datePattern);
    cmbAmount->setCurrentIndex(cmbAmount->findData(int(layout.amountStyle)));
    txtIssue->setText(layout.issueCode);
    txtVoid->setText(layout.voidCode);
    chkTrailer->setChecked(layout.trailer);
    txtTrailer->setText(layout.trailerCode);
    grdFields->setFields(layout.fields);
    updatePreview();
}

Layout frmPayLayout::layoutShown() const
{
    Layout layout;
    layout.name = cmbName->currentText().trimmed();
    layout.format = optFixed->isChecked() ? Format::FixedWidth : Format::Delimited;
    layout.delimiter = txtDelimiter->text().isEmpty() ? QChar() : txtDelimiter->text().front();
    layout.header = chkHeader->isChecked();
    layout.asciiOnly = chkAscii->isChecked();
    layout.datePattern = cmbDate->currentText();
    layout.amountStyle = AmountStyle(cmbAmount->currentData().toInt());
    layout.issueCode = txtIssue->text();
    layout.voidCode = txtVoid->text();
    layout.trailer = chkTrailer->isChecked();
    layout.trailerCode = txtTrailer->text();
    layout.fields = grdFields->fields();
    return layout;
}

void frmPayLayout::updatePreview()
{
    txtDelimiter->setEnabled(optDelimited->isChecked());
    txtTrailer->setEnabled(chkTrailer->isChecked());
    txtPreview->setPlainText(previewText(layoutShown()));
}

QString frmPayLayout::chosenName() const
{
    return cmbName->currentText().trimmed();
}

void frmPayLayout::cmdSave_Click()
{
    // 1. A layout of the user's own, sound as it stands.
    const Layout layout = layoutShown();
    if (isBuiltIn(layout.name)) {
        Messages::show(QStringLiteral("\"%1\" is built in: type a new name to save your "
                                      "changes under.")
                           .arg(layout.name),
                       Messages::Icon::Information);
        cmbName->setFocus();
        return;
    }
    if (const QStringList problems = layoutProblems(layout); !problems.isEmpty()) {
        Messages::show(problems.join(QLatin1Char('\n')), Messages::Icon::Critical);
        return;
    }
    // 2. Kept in place of the layout of that name.
    const store::Connection connection(objectName());
    QSqlError error = connection.error();
    if (!error.isValid())
        error = saveLayout(connection.database(), layout);
    if (error.isValid()) {
        Messages::show(store::failureText(QStringLiteral("save the layout"), error),
                       Messages::Icon::Critical);
        return;
    }
    // 3. Listed with the others, still shown.
    Messages::show(QStringLiteral("Layout saved"), Messages::Icon::Information);
    loadLayouts();
}
