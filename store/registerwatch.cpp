#include "registerwatch.h"

#include "serveraddress.h"
#include "serverschema.h"

#include <QSqlDriver>

namespace store {

RegisterWatch::RegisterWatch(QObject *parent)
    : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(250);
    connect(&m_settle, &QTimer::timeout, this, &RegisterWatch::changed);
    if (!serverInUse())
        return;
    // A connection of its own, listening while the window is open; a
    // window without it still works, it only does not follow others.
    m_connection = std::make_unique<Connection>(QStringLiteral("watch"));
    QSqlDriver *driver = m_connection->database().driver();
    if (!m_connection->isOpen() || !driver->subscribeToNotification(registerChangedNotice))
        return;
    connect(driver, &QSqlDriver::notification, this, [this] {
        if (!m_settle.isActive())
            m_settle.start();
    });
}

RegisterWatch::~RegisterWatch() = default;

} // namespace store
