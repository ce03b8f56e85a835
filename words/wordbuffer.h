#pragma once

#include <QString>
#include <QVarLengthArray>

// The words of one conversion, gathered on the stack and copied into their
// QString once at the end: a conversion then costs a single allocation,
// which is what decides the speed of such short string routines.
class WordBuffer
{
public:
    WordBuffer &operator+=(QStringView text)
    {
        m_chars.append(text.utf16(), text.size());
        return *this;
    }
    WordBuffer &operator+=(char16_t c)
    {
        m_chars.append(c);
        return *this;
    }
    qsizetype size() const { return m_chars.size(); }
    void truncate(qsizetype size) { m_chars.resize(size); }
    QString toString() const { return QStringView(m_chars.data(), m_chars.size()).toString(); }

private:
    QVarLengthArray<char16_t, 256> m_chars;
};
