#pragma once

#include "messages.h"

#include <QList>

#include <source_location>

// Records every message box and question instead of showing it, for as
// long as it lives: a box is answered OK at once, a question as set by
// answer() (No until then).
class RecordedMessages
{
public:
    RecordedMessages();
    ~RecordedMessages();

    const QList<Messages::Message> &all() const { return m_messages; }
    QStringList texts() const;
    // The one message shown; fails the test, at the caller's line, when there
    // were none or several.
    Messages::Message only(std::source_location caller = std::source_location::current()) const;
    void clear() { m_messages.clear(); }
    void answer(bool yes) { m_answer = yes; }

private:
    QList<Messages::Message> m_messages;
    Messages::Presenter m_previous;
    Messages::Asker m_previousAsker;
    bool m_answer = false;
};
