#pragma once

#include "database.h"

#include <QHash>
#include <QString>
#include <functional>
#include <optional>

// What the data file keeps that only this program changes while it runs (a
// window's size, the screen's measure): read once a run for each data file
// and remembered as it is written, so that a window does not open a
// connection for each of them every time it opens.
template <typename Value>
class RunMemory
{
public:
    // Reads the value into *value; false when it could not be read, which
    // is then tried again next time.
    using Read = std::function<bool(std::optional<Value> *value)>;

    std::optional<Value> value(const QString &name, const Read &read)
    {
        const QString key = keyOf(name);
        if (const auto found = m_values.constFind(key); found != m_values.cend())
            return *found;
        std::optional<Value> value;
        if (read(&value))
            m_values.insert(key, value);
        return value;
    }

    void remember(const QString &name, const Value &value) { m_values.insert(keyOf(name), value); }

private:
    static QString keyOf(const QString &name)
    {
        return store::databaseFilePath() + QChar(0) + name;
    }

    QHash<QString, std::optional<Value>> m_values;
};
