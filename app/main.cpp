#include "database.h"
#include "forms.h"
#include "frmBNK.h"
#include "frmChqLyt.h"
#include "frmPayee.h"
#include "frmPrtChq.h"
#include "frmReport.h"
#include "frmSplash.h"
#include "messagebox.h"
#include "messages.h"

#include <QApplication>

namespace {

void registerWorkingWindows()
{
    Forms::registerForm(QStringLiteral("frmBNK"), [] { return new frmBNK; });
    Forms::registerForm(QStringLiteral("frmPayee"), [] { return new frmPayee; });
    Forms::registerForm(QStringLiteral("frmChqLyt"), [] { return new frmChqLyt; });
    Forms::registerForm(QStringLiteral("frmPrtChq"), [] { return new frmPrtChq; });
    Forms::registerForm(QStringLiteral("frmReport"), [] { return new frmReport; });
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(Messages::applicationTitle);
    // The splash and the menu decide when the program ends.
    QApplication::setQuitOnLastWindowClosed(false);
    installMessageBoxPresenter();

    const QString problem = store::prepareDatabase();
    if (!problem.isEmpty()) {
        Messages::show(problem, Messages::Icon::Critical);
        return 1;
    }

    registerWorkingWindows();
    frmSplash splash;
    splash.show();
    return QApplication::exec();
}
