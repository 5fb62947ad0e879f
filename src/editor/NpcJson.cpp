#include "editor/NpcJson.h"

#include "common/Windows1251.h"
#include "editor/FieldCatalogue.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <bitset>
#include <cmath>

namespace
{

const QString IndexKey = QStringLiteral("index");

// The value as an integer from min to max; nothing for anything else.
std::optional<qint64> wholeNumber(const QJsonValue &value, qint64 min, qint64 max)
{
    if (!value.isDouble())
        return std::nullopt;
    const double d = value.toDouble();
    if (!(d >= double(min) && d <= double(max)) || std::floor(d) != d)
        return std::nullopt;
    return static_cast<qint64>(d);
}

QString valueText(const QJsonValue &value)
{
    if (value.isDouble())
        return QString::number(value.toDouble(), 'g', 17);
    if (value.isString())
        return QLatin1Char('"') + value.toString() + QLatin1Char('"');
    QJsonArray wrap{value};
    const QByteArray json = QJsonDocument(wrap).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(json.mid(1, json.size() - 2));
}

// A JSON string of a line: UTF-8, control characters escaped.
QByteArray jsonLine(const QByteArray &line)
{
    QByteArray json = "\"";
    for (const QChar c : fromWindows1251(line)) {
        if (c == u'"' || c == u'\\')
            json += '\\' + QByteArray(1, char(c.unicode()));
        else if (c.unicode() < 0x20)
            json += "\\u" + QByteArray::number(c.unicode(), 16).rightJustified(4, '0');
        else
            json += QString(c).toUtf8();
    }
    return json + '"';
}

} // namespace

QString layoutName(NpcLayout layout)
{
    return layout == NpcLayout::VestaLayout ? QStringLiteral("vesta") : QStringLiteral("standard");
}

std::optional<NpcLayout> layoutNamed(QStringView name)
{
    if (name == QLatin1String("standard"))
        return NpcLayout::StandardLayout;
    if (name == QLatin1String("vesta"))
        return NpcLayout::VestaLayout;
    return std::nullopt;
}

QByteArray npcToJson(const NpcRecords &records, NpcLayout layout,
                     const std::optional<QList<QByteArray>> &phrases)
{
    QByteArray json = "{\n  \"layout\": \"" + layoutName(layout).toLatin1() + "\",\n  \"records\": [\n";
    for (int i = 0; i < RecordCount; ++i) {
        json += "    {\"index\": " + QByteArray::number(i);
        for (int f = 0; f < NpcFieldCount; ++f) {
            const auto field = static_cast<NpcField>(f);
            json += ", \"" + QByteArray(NpcRecord::fieldName(field).data()) +
                    "\": " + QByteArray::number(shownValue(field, records[i].value(field)));
        }
        json += i + 1 < RecordCount ? "},\n" : "}\n";
    }
    json += "  ]";
    if (phrases) {
        json += ",\n  \"phrases\": [";
        for (qsizetype k = 0; k < phrases->size(); ++k)
            json += (k ? ",\n    " : "\n    ") + jsonLine(phrases->at(k));
        json += phrases->isEmpty() ? "]" : "\n  ]";
    }
    json += "\n}\n";
    return json;
}

bool NpcJsonReader::fail(const QString &message)
{
    m_error = message;
    return false;
}

bool NpcJsonReader::read(const QByteArray &json)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return fail(QStringLiteral("ошибка JSON на смещении %1: %2")
                        .arg(parseError.offset)
                        .arg(parseError.errorString()));
    if (!document.isObject())
        return fail(QStringLiteral("ожидается объект JSON с ключами layout и records"));
    const QJsonObject top = document.object();
    for (auto it = top.begin(); it != top.end(); ++it) {
        if (it.key() != QLatin1String("layout") && it.key() != QLatin1String("records") &&
            it.key() != QLatin1String("phrases"))
            return fail(QStringLiteral("неизвестный ключ «%1»").arg(it.key()));
    }

    std::optional<NpcLayout> layout;
    if (top.contains(QLatin1String("layout"))) {
        const QJsonValue value = top.value(QLatin1String("layout"));
        layout = layoutNamed(value.toString());
        if (!value.isString() || !layout)
            return fail(QStringLiteral("layout: неизвестный формат %1 (ожидается \"standard\" или \"vesta\")")
                            .arg(valueText(value)));
    }
    std::optional<QStringList> phrases;
    if (top.contains(QLatin1String("phrases"))) {
        const QJsonValue value = top.value(QLatin1String("phrases"));
        if (!value.isArray())
            return fail(QStringLiteral("phrases: ожидается массив строк"));
        phrases.emplace();
        const QJsonArray array = value.toArray();
        for (qsizetype k = 0; k < array.size(); ++k) {
            if (!array.at(k).isString())
                return fail(QStringLiteral("phrases[%1]: ожидается строка, а не %2")
                                .arg(k)
                                .arg(valueText(array.at(k))));
            phrases->append(array.at(k).toString());
        }
    }
    const QJsonValue list = top.value(QLatin1String("records"));
    if (!list.isArray())
        return fail(QStringLiteral("records: ожидается массив записей"));

    NpcRecords records{};
    std::bitset<RecordCount> seen;
    const QJsonArray array = list.toArray();
    for (qsizetype n = 0; n < array.size(); ++n) {
        const QString place = QStringLiteral("records[%1]").arg(n);
        if (!array.at(n).isObject())
            return fail(place + QStringLiteral(": ожидается объект записи"));
        const QJsonObject object = array.at(n).toObject();
        if (!object.contains(IndexKey))
            return fail(place + QStringLiteral(": нет ключа index"));
        const auto index = wholeNumber(object.value(IndexKey), 0, RecordCount - 1);
        if (!index)
            return fail(place + QStringLiteral(": index %1 вне 0–49").arg(valueText(object.value(IndexKey))));
        if (seen.test(*index))
            return fail(QStringLiteral("запись %1 указана дважды").arg(*index));
        seen.set(*index);
        // A field left out takes the value a new record gets, as "initialise record" gives it.
        records[*index].initialise();
        for (auto it = object.begin(); it != object.end(); ++it) {
            if (it.key() == IndexKey)
                continue;
            const auto field = NpcRecord::fieldNamed(it.key());
            if (!field)
                return fail(QStringLiteral("запись %1: неизвестное поле «%2»")
                                .arg(QString::number(*index), it.key()));
            const qint64 max = NpcRecord::isWordField(*field) ? NoneWord : NoneByte;
            const qint64 min = -(max + 1) / 2;
            const auto number = wholeNumber(it.value(), min, max);
            const auto value = number ? storedValue(*field, *number) : std::nullopt;
            if (!value)
                return fail(QStringLiteral("запись %1, поле %2: значение %3 не помещается в поле (%4–%5)")
                                .arg(QString::number(*index), it.key(), valueText(it.value()),
                                     QString::number(min), QString::number(max)));
            records[*index].setValue(*field, *value);
        }
    }
    m_records = records;
    m_layout = layout;
    m_phrases = std::move(phrases);
    m_error.clear();
    return true;
}
