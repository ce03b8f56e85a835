#include "rowbytes.h"

#include <QDateTime>
#include <cstring>

namespace jet {
namespace {

enum Kind : char { NoValue, YesNo, WholeNumber, Double, Date, DateTime, Text, NullText };

template <typename Value>
void put(QByteArray *bytes, Value value)
{
    bytes->append(reinterpret_cast<const char *>(&value), sizeof value);
}

void putText(QByteArray *bytes, const QString &text)
{
    if (text.isNull()) {
        put(bytes, NullText);
        return;
    }
    put(bytes, Text);
    put(bytes, qint32(text.size()));
    bytes->append(reinterpret_cast<const char *>(text.utf16()),
                  text.size() * qsizetype(sizeof(char16_t)));
}

// Takes values off the front of the bytes, until they run short.
class Cursor
{
public:
    explicit Cursor(QByteArrayView bytes) : m_bytes(bytes) {}

    bool atEnd() const { return m_at == m_bytes.size(); }

    template <typename Value>
    bool take(Value *value)
    {
        if (m_bytes.size() - m_at < qsizetype(sizeof(Value)))
            return false;
        std::memcpy(value, m_bytes.data() + m_at, sizeof(Value));
        m_at += sizeof(Value);
        return true;
    }
    bool takeText(QString *text)
    {
        qint32 length = 0;
        if (!take(&length) || length < 0 || (m_bytes.size() - m_at) / 2 < length)
            return false;
        *text = QString(length, Qt::Uninitialized);
        std::memcpy(text->data(), m_bytes.data() + m_at, length * sizeof(char16_t));
        m_at += length * qsizetype(sizeof(char16_t));
        return true;
    }

private:
    QByteArrayView m_bytes;
    qsizetype m_at = 0;
};

template <typename Stored, typename Value = Stored>
bool takeAs(Cursor &cursor, QVariant *value)
{
    Stored stored{};
    if (!cursor.take(&stored))
        return false;
    *value = QVariant::fromValue(Value(stored));
    return true;
}

bool takeValue(Cursor &cursor, QVariant *value)
{
    char kind = 0;
    if (!cursor.take(&kind))
        return false;
    switch (kind) {
    case NoValue: *value = QVariant(); return true;
    case YesNo: return takeAs<quint8, bool>(cursor, value);
    case WholeNumber: return takeAs<qint32, int>(cursor, value);
    case Double: return takeAs<double>(cursor, value);
    case Date: {
        qint64 day = 0;
        if (!cursor.take(&day))
            return false;
        *value = QDate::fromJulianDay(day);
        return true;
    }
    case DateTime: {
        qint64 msecs = 0;
        if (!cursor.take(&msecs))
            return false;
        *value = QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC);
        return true;
    }
    case Text: {
        QString text;
        if (!cursor.takeText(&text))
            return false;
        *value = std::move(text);
        return true;
    }
    case NullText: *value = QString(); return true;
    }
    return false;
}

} // namespace

void appendRow(QByteArray *bytes, const QVariantList &row)
{
    put(bytes, qint32(row.size()));
    for (const QVariant &value : row) {
        switch (value.typeId()) {
        case QMetaType::UnknownType: put(bytes, NoValue); break;
        case QMetaType::Bool:
            put(bytes, YesNo);
            put(bytes, quint8(value.toBool()));
            break;
        case QMetaType::Int:
            put(bytes, WholeNumber);
            put(bytes, qint32(value.toInt()));
            break;
        case QMetaType::Double:
            put(bytes, Double);
            put(bytes, value.toDouble());
            break;
        case QMetaType::QDate:
            put(bytes, Date);
            put(bytes, value.toDate().toJulianDay());
            break;
        case QMetaType::QDateTime:
            put(bytes, DateTime);
            put(bytes, value.toDateTime().toMSecsSinceEpoch());
            break;
        default: putText(bytes, value.toString());
        }
    }
}

bool readRows(QByteArrayView bytes, QList<QVariantList> *rows)
{
    Cursor cursor(bytes);
    while (!cursor.atEnd()) {
        qint32 count = 0;
        if (!cursor.take(&count) || count < 0 || count > 0xffff)
            return false;
        QVariantList row(count);
        for (QVariant &value : row) {
            if (!takeValue(cursor, &value))
                return false;
        }
        rows->append(std::move(row));
    }
    return true;
}

} // namespace jet
