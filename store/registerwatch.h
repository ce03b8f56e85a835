#pragma once

#include "database.h"

#include <QObject>
#include <QTimer>
#include <memory>

namespace store {

// Tells an open window when another desk has printed, voided or noted a
// cheque in a shared register, so that it follows within a second. A file
// has one desk, whose windows refresh themselves: there it never fires.
// Bursts (a batch, many clerks at once) come as one change.
class RegisterWatch : public QObject
{
    Q_OBJECT
public:
    explicit RegisterWatch(QObject *parent = nullptr);
    ~RegisterWatch() override;

signals:
    void changed();

private:
    std::unique_ptr<Connection> m_connection;
    QTimer m_settle;
};

} // namespace store
