#include "frmAbout.h"

#include "controls.h"
#include "serveraddress.h"
#include "twips.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

frmAbout::frmAbout(const store::DataLocation &location, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Quillmark"));
    createControls(location);
    placeControls();
    setTabOrder();
    cmdOK->setFocus();
}

void frmAbout::createControls(const store::DataLocation &location)
{
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/pictures/quillmark.png")));

    lblProductName = new QLabel(QStringLiteral("Quillmark"), this);
    lblProductName->setObjectName(QStringLiteral("lblProductName"));
    QFont productFont = font();
    productFont.setPointSizeF(18);
    productFont.setBold(true);
    lblProductName->setFont(productFont);
    lblVersion = new QLabel(QStringLiteral("Version " QUILLMARK_VERSION), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));

    lblLicence = new QLabel(QStringLiteral("Free software under the GNU GPL, version 3 or later."),
                            this);
    lblLicence->setObjectName(QStringLiteral("lblLicence"));
    lblLicence->setWordWrap(true);

    lblDataFile = new QLabel(QStringLiteral("Data file in use:"), this);
    lblDataFile->setObjectName(QStringLiteral("lblDataFile"));
    txtDataFile = addPathBox(QStringLiteral("txtDataFile"), location.file);
    lblUnusedFile = new QLabel(QStringLiteral("Another ql.mdb is not used; Quillmark uses the one above:"),
                               this);
    lblUnusedFile->setObjectName(QStringLiteral("lblUnusedFile"));
    txtUnusedFile = addPathBox(QStringLiteral("txtUnusedFile"), location.unusedFile);
    txtRegister = addPathBox(QStringLiteral("txtRegister"),
                             QStringLiteral("Register in use: %1").arg(store::registerInUse()));
    txtRegister->setToolTip(txtRegister->text());
    lblUnusedFile->setVisible(!location.unusedFile.isEmpty());
    txtUnusedFile->setVisible(!location.unusedFile.isEmpty());

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

// A path may be longer than the window: a read-only box scrolls, and the
// user can copy it from there.
QLineEdit *frmAbout::addPathBox(const QString &name, const QString &path)
{
    auto *box = new QLineEdit(QDir::toNativeSeparators(path), this);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::ClickFocus);  // OK keeps the focus Tab and Enter work on
    box->setCursorPosition(0);
    return box;
}

void frmAbout::placeControls()
{
    setFixedSize(twipsSize(6150, 3660));
    Image1->setGeometry(twips(120, 120, 3000, 1590));
    lblProductName->setGeometry(twips(3300, 360, 2730, 480));
    lblVersion->setGeometry(twips(3300, 900, 2730, 285));
    lblLicence->setGeometry(twips(3300, 1230, 2730, 480));
    lblDataFile->setGeometry(twips(120, 1830, 5910, 255));
    txtDataFile->setGeometry(twips(120, 2085, 5910, 315));
    lblUnusedFile->setGeometry(twips(120, 2490, 5910, 255));
    txtUnusedFile->setGeometry(twips(120, 2745, 5910, 315));
    txtRegister->setGeometry(twips(120, 3195, 4575, 315));
    cmdOK->setGeometry(twips(4815, 3165, 1215, 375));
}

void frmAbout::setTabOrder()
{
    setTabChain({cmdOK});
}
