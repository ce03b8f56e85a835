#include "onserver.h"

#include "messages.h"
#include "serverstart.h"

namespace backup {

bool refusedOnServer()
{
    const auto server = store::serverInUse();
    if (!server)
        return false;
    Messages::show(QStringLiteral("Quillmark keeps the register in the database %1 on the "
                                  "server %2. Back Up Now and Restore copy a local data file: "
                                  "on a server, the server's own backups apply (pg_dump, run "
                                  "by whoever looks after the server).")
                       .arg(server->database, store::describeServer(*server)),
                   Messages::Icon::Information);
    return true;
}

} // namespace backup
