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
    // A batch printed before the program was stopped is recorded first.
    settleUnconfirmedBatch();

    frmSplash splash;
    splash.show();
    return QApplication::exec();
}
