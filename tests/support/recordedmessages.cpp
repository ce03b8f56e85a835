#include "recordedmessages.h"

#include <QTest>

RecordedMessages::RecordedMessages()
{
    m_previous = Messages::setPresenter(
        [this](const Messages::Message &message) { m_messages.append(message); });
    m_previousAsker = Messages::setAsker([this](const Messages::Message &question) {
        m_messages.append(question);
        return m_answer;
    });
}

RecordedMessages::~RecordedMessages()
{
    Messages::setPresenter(m_previous);
    Messages::setAsker(m_previousAsker);
}

QStringList RecordedMessages::texts() const
{
    QStringList texts;
    for (const Messages::Message &message : m_messages)
        texts << message.text;
    return texts;
}

Messages::Message RecordedMessages::only() const
{
    if (m_messages.size() != 1)
        qWarning() << "expected one message, got" << texts();
    return m_messages.value(0);
}
