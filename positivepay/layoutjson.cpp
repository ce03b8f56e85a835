#include "layoutjson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace positivepay {
namespace {

QChar firstChar(const QJsonValue &value, QChar otherwise)
{
    const QString text = value.toString();
    return text.isEmpty() ? otherwise : text.front();
}

QJsonObject fieldToJson(const FieldSpec &fieldSpec)
{
    return {{QStringLiteral("field"), fieldName(fieldSpec.field)},
            {QStringLiteral("width"), fieldSpec.width},
            {QStringLiteral("align"), fieldSpec.alignment == Alignment::Left ? QStringLiteral("left")
                                                                        : QStringLiteral("right")},
            {QStringLiteral("fill"), QString(fieldSpec.fill)},
            {QStringLiteral("cut"), fieldSpec.cut}};
}

bool fieldFromJson(const QJsonObject &object, FieldSpec *fieldSpec)
{
    fieldSpec->width = object.value(QStringLiteral("width")).toInt();
    fieldSpec->alignment = object.value(QStringLiteral("align")).toString() == QLatin1String("right")
                          ? Alignment::Right
                          : Alignment::Left;
    fieldSpec->fill = firstChar(object.value(QStringLiteral("fill")), QLatin1Char(' '));
    fieldSpec->cut = object.value(QStringLiteral("cut")).toBool();
    return fieldFromName(object.value(QStringLiteral("field")).toString(), &fieldSpec->field);
}

} // namespace

QByteArray layoutToJson(const Layout &layout)
{
    QJsonArray fields;
    for (const FieldSpec &fieldSpec : layout.fields)
        fields.append(fieldToJson(fieldSpec));
    const QJsonObject object{
        {QStringLiteral("name"), layout.name},
        {QStringLiteral("format"), layout.format == Format::Delimited ? QStringLiteral("delimited")
                                                                      : QStringLiteral("fixed")},
        {QStringLiteral("delimiter"), QString(layout.delimiter)},
        {QStringLiteral("header"), layout.header},
        {QStringLiteral("datePattern"), layout.datePattern},
        {QStringLiteral("amountStyle"), static_cast<int>(layout.amountStyle)},
        {QStringLiteral("issueCode"), layout.issueCode},
        {QStringLiteral("voidCode"), layout.voidCode},
        {QStringLiteral("asciiOnly"), layout.asciiOnly},
        {QStringLiteral("trailer"), layout.trailer},
        {QStringLiteral("trailerCode"), layout.trailerCode},
        {QStringLiteral("fields"), fields}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

bool layoutFromJson(const QByteArray &json, Layout *layout)
{
    const QJsonObject object = QJsonDocument::fromJson(json).object();
    if (object.isEmpty())
        return false;
    Layout read;
    read.name = object.value(QStringLiteral("name")).toString();
    read.format = object.value(QStringLiteral("format")).toString() == QLatin1String("fixed")
                      ? Format::FixedWidth
                      : Format::Delimited;
    read.delimiter = firstChar(object.value(QStringLiteral("delimiter")), QLatin1Char(','));
    read.header = object.value(QStringLiteral("header")).toBool();
    read.datePattern = object.value(QStringLiteral("datePattern")).toString();
    const int style = object.value(QStringLiteral("amountStyle")).toInt();
    if (style < 0 || style >= allAmountStyles().size())
        return false;
    read.amountStyle = static_cast<AmountStyle>(style);
    read.issueCode = object.value(QStringLiteral("issueCode")).toString();
    read.voidCode = object.value(QStringLiteral("voidCode")).toString();
    read.asciiOnly = object.value(QStringLiteral("asciiOnly")).toBool();
    read.trailer = object.value(QStringLiteral("trailer")).toBool();
    read.trailerCode = object.value(QStringLiteral("trailerCode")).toString();
    for (const QJsonValue &value : object.value(QStringLiteral("fields")).toArray()) {
        FieldSpec fieldSpec;
        if (!fieldFromJson(value.toObject(), &fieldSpec))
            return false;
        read.fields << fieldSpec;
    }
    *layout = read;
    return true;
}

} // namespace positivepay
