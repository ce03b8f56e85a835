#include "connecting.h"

#include "frmPassword.h"
#include "messages.h"

namespace server {
namespace {

bool wantsPassword(store::ServerProblem problem)
{
    return problem == store::ServerProblem::PasswordMissing
        || problem == store::ServerProblem::PasswordWrong;
}

} // namespace

store::ServerCheck tryWithPassword(store::ServerAddress *address, QWidget *parent)
{
    for (;;) {
        store::ServerCheck check = store::checkServer(*address);
        if (!wantsPassword(check.problem))
            return check;
        const std::optional<QString> password = frmPassword::ask(check.message, parent);
        if (!password)
            return check;
        address->password = *password;
    }
}

bool useChosenServerAtStart(const store::ServerAddress &chosen)
{
    store::ServerAddress address = chosen;
    for (;;) {
        // 1. The server, with the password asked for when needed.
        const store::ServerCheck check = tryWithPassword(&address);
        // 2. Every later connection goes there.
        if (check.ok()) {
            store::useServer(address);
            return true;
        }
        // 3. Again, or the local data file for this run only.
        if (!Messages::ask(check.message
                           + QStringLiteral("\n\nTry the server again? No uses the local data "
                                            "file this time; the server stays chosen for the "
                                            "next start.")))
            return false;
    }
}

} // namespace server
