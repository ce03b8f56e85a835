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

Messages::Message RecordedMessages::only(std::source_location caller) const
{
    if (m_messages.size() != 1) {
        const QString shown = texts().join(QStringLiteral("\" \""));
        QTest::qFail(qPrintable(QStringLiteral("expected one message, got %1: \"%2\"")
                                    .arg(m_messages.size()).arg(shown)),
                     caller.file_name(), int(caller.line()));
    }
    return m_messages.value(0);
}
