#include "appearance.h"
#include "exitatmenu.h"
#include "frmBatchConfirm.h"
#include "frmSplash.h"
#include "messagebox.h"
#include "messages.h"
#include "startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(Messages::applicationTitle);
    // The splash and the menu decide when the program ends.
    QApplication::setQuitOnLastWindowClosed(false);
    installMessageBoxPresenter();
    applyClassicAppearance();
    exitAtMainMenuWhenAsked();

    if (!prepareDataFile())
        return 1;
    registerWorkingWindows();
    // Cheques printed before a copy of the program was stopped are recorded first.
    settleUnconfirmedCheques();

    frmSplash splash;
    splash.show();
    return QApplication::exec();
}
