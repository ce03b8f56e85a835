// Saves the pictures the README shows: the print window filled with a
// cheque, that cheque's preview, the layout editor over the sample leaf (as
// the layout stands, then started from the CTS-2010 standard leaf, with the
// window of the date's and crossing's style), and the batch window with a
// small file read.
// Each window is the program's own, over a sample data file made in a
// temporary folder. Usage: quillmark-screenshots FOLDER LEAF_IMAGE

#include "appearance.h"
#include "chequepreview.h"
#include "database.h"
#include "frmBatch.h"
#include "chequestyle.h"
#include "frmChequeStyle.h"
#include "frmChqLyt.h"
#include "frmDesigner.h"
#include "frmPayLayout.h"
#include "frmPreview.h"
#include "frmPrtChq.h"
#include "leafimage.h"
#include "messages.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTemporaryDir>
#include <cstdio>

namespace {

const QString bank = QStringLiteral("Sample Bank");
// The sample leaf's fields, in mms, with the words broken by their width.
const store::LayoutRow layout{QStringLiteral("mms"), bank,
                              {6.5, 154, 40, 22, 20, 150, 32, 26, 118, 41, 12, 132, 35.5, 158, 36}};
const QDate chequeDate(2026, 12, 7);
int failures = 0;

void fail(const QString &what)
{
    std::fprintf(stderr, "quillmark-screenshots: %s\n", qPrintable(what));
    ++failures;
}

// One bank with its layout and leaf, and one payee.
bool fillSampleData(const QString &leafPath)
{
    store::LeafImageRow leaf;
    if (const QString problem = readLeafImageFile(leafPath, &leaf); !problem.isEmpty()) {
        fail(problem);
        return false;
    }
    const store::Connection connection(QStringLiteral("screenshots"));
    const QSqlDatabase db = connection.database();
    for (const QSqlError &error :
         {connection.error(), store::addBank(db, {QStringLiteral("400002001"), bank, QStringLiteral("INR")}),
          store::replacePayee(db, QStringLiteral("asha"), QStringLiteral("Asha Menon")),
          store::replaceLayout(db, layout), store::replaceWordsChoice(db, bank, {true, true}),
          store::replaceLeafImage(db, bank, leaf)}) {
        if (error.isValid()) {
            fail(error.text());
            return false;
        }
    }
    return true;
}

// The window as drawn once every pending event is handled.
void save(QWidget *window, const QString &path)
{
    QCoreApplication::processEvents();
    // Most compression: the pictures live in the repository.
    if (!window->grab().save(path, "PNG", 0))
        fail(QStringLiteral("cannot write %1").arg(path));
}

void choose(QComboBox *list, const QString &item)
{
    list->setCurrentIndex(list->findText(item));
    emit list->activated(list->currentIndex());
}

// The preview Preview opens, fitted to its window, saved and closed.
void installSavingPreview(const QString &path)
{
    setChequePreview([path](QWidget *parent, const ChequeItems &items) -> std::optional<QString> {
        frmPreview preview(items, parent);
        preview.show();
        QCoreApplication::processEvents();
        preview.findChild<QPushButton *>(QStringLiteral("cmdFit"))->click();
        if (!preview.problem().isEmpty())
            fail(preview.problem());
        save(&preview, path);
        return std::nullopt;
    });
}

void savePrintWindowAndPreview(const QDir &folder)
{
    installSavingPreview(folder.filePath(QStringLiteral("preview.png")));
    frmPrtChq window;  // offers Preview when one is installed
    window.show();
    choose(window.findChild<QComboBox *>(QStringLiteral("cmbBnk")), bank);
    choose(window.findChild<QComboBox *>(QStringLiteral("cmbPayee")), QStringLiteral("asha"));
    window.findChild<QDateEdit *>(QStringLiteral("DTPicker1"))->setDate(chequeDate);
    window.findChild<QLineEdit *>(QStringLiteral("txtChqNo"))->setText(QStringLiteral("000123"));
    window.findChild<QLineEdit *>(QStringLiteral("Text2"))->setText(QStringLiteral("123456.78"));
    window.Text2_LostFocus();
    // The words from their start; Bearer, as the crossing would print over
    // the sample leaf's bank name.
    window.findChild<QLineEdit *>(QStringLiteral("Text3"))->home(false);
    window.findChild<QRadioButton *>(QStringLiteral("Option1"))->setChecked(true);
    save(&window, folder.filePath(QStringLiteral("print-window.png")));
    window.findChild<QPushButton *>(QStringLiteral("Preview"))->click();
}

// The editor with the whole page at once, as a picture should show it.
void saveEditor(frmDesigner *editor, const QString &path)
{
    QCoreApplication::processEvents();
    const QSize area = editor->findChild<QScrollArea *>(QStringLiteral("scrPage"))->viewport()->size();
    editor->view()->setPixelsPerPoint(editor->view()->pixelsPerPointToFit(area));
    if (!editor->problem().isEmpty())
        fail(editor->problem());
    save(editor, path);
}

// The editor as the layout stands, then started from the CTS-2010 leaf;
// last of the pictures, as it changes the bank's layout.
void saveLayoutEditor(const QDir &folder)
{
    frmDesigner::install();
    frmChqLyt window;
    window.show();
    auto *banks = window.findChild<QComboBox *>(QStringLiteral("cmb"));
    banks->setCurrentIndex(banks->findText(bank));
    window.cmb_Click();
    window.findChild<QPushButton *>(QStringLiteral("cmdDesign"))->click();
    auto *editor = window.findChild<frmDesigner *>();
    saveEditor(editor, folder.filePath(QStringLiteral("layout-editor.png")));
    if (!editor->startFromStandardLeaf(0))
        fail(QStringLiteral("the standard leaf was not taken"));
    saveEditor(editor, folder.filePath(QStringLiteral("standard-leaf.png")));

    const store::Connection connection(QStringLiteral("screenshots"));
    store::ChequeStyle style;
    if (const QSqlError error = store::findChequeStyle(connection.database(), bank, &style);
        error.isValid())
        fail(error.text());
    frmChequeStyle styleWindow(style, QStringLiteral("mms"), editor);
    styleWindow.show();
    save(&styleWindow, folder.filePath(QStringLiteral("date-and-crossing.png")));
}

// A few rows as an office's spreadsheet gives them, one of them refused; a
// day above 12 shows the file writes the day first.
// The file's name is shown, so it is the same at every run.
void saveBatchWindow(const QDir &folder)
{
    QFile file(QDir::temp().filePath(QStringLiteral("vendors.csv")));
    if (!file.open(QIODevice::WriteOnly)
        || file.write("bank,payee,amount,date,number\r\n"
                      "Sample Bank,asha,15000,2026-12-07,000124\r\n"
                      "Sample Bank,Asha Menon,2500.50,13/12/2026,\r\n"
                      "Sample Bank,ravi,800,07/Dec/2026,\r\n"
                      "Sample Bank,asha,120000,2026-12-08,\r\n")
               < 0) {
        fail(QStringLiteral("cannot write %1").arg(file.fileName()));
        return;
    }
    file.close();
    frmBatch window;
    window.show();
    window.openFile(file.fileName());
    save(&window, folder.filePath(QStringLiteral("batch-window.png")));
    file.remove();
}

// The Positive Pay layout editor on the US fixed-width layout.
void savePayLayoutEditor(const QDir &folder)
{
    frmPayLayout window;
    window.show();
    choose(window.findChild<QComboBox *>(QStringLiteral("cmbName")),
           QStringLiteral("US issue file (80 columns)"));
    save(&window, folder.filePath(QStringLiteral("positive-pay-layouts.png")));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: quillmark-screenshots FOLDER LEAF_IMAGE\n");
        return 2;
    }
    QApplication::setApplicationName(Messages::applicationTitle);
    applyClassicAppearance();
    // A message would stand in front of the window: it is a failure here.
    Messages::setPresenter([](const Messages::Message &message) { fail(message.text); });

    QTemporaryDir data;
    store::useDatabaseFile(data.filePath(QStringLiteral("ql.mdb")));
    if (const QString problem = store::prepareDatabase(); !problem.isEmpty()) {
        fail(problem);
        return 1;
    }
    if (!fillSampleData(QString::fromLocal8Bit(argv[2])))
        return 1;
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    savePrintWindowAndPreview(folder);
    saveBatchWindow(folder);
    savePayLayoutEditor(folder);
    saveLayoutEditor(folder);
    for (const char *picture :
         {"print-window.png", "preview.png", "layout-editor.png", "batch-window.png",
          "positive-pay-layouts.png", "standard-leaf.png", "date-and-crossing.png"}) {
        if (!folder.exists(QString::fromLatin1(picture)))
            fail(QStringLiteral("%1 was not taken").arg(QString::fromLatin1(picture)));
    }
    return failures == 0 ? 0 : 1;
}
