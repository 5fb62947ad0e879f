// The manual's chapter on the file formats, read from its HTML and held to the code, so
// that what modders are told cannot drift from what the program reads and writes.
#include "common/Windows1251.h"
#include "dialogue/EdtReader.h"
#include "document/NpcFile.h"
#include "editor/FieldCatalogue.h"
#include "macros/MacroEntry.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

namespace
{

QString manual()
{
    QFile file(QStringLiteral(SCRIVLET_SOURCE_DIR "/doc/manual.html"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The text of an element's content: tags dropped, entities read, blanks folded.
QString plainText(QString html)
{
    html.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    html.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    html.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    html.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    html.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return html.simplified();
}

// The content of the element with this id.
QString elementHtml(const QString &id)
{
    static const QString html = manual();
    const QRegularExpression element(QStringLiteral("<(\\w+) id=\"%1\">(.*?)</\\1>").arg(id),
                                     QRegularExpression::DotMatchesEverythingOption);
    return element.match(html).captured(2);
}

// The data rows of a table (header rows left out), each a list of its cells' texts.
QList<QStringList> tableRows(const QString &id)
{
    static const QRegularExpression row(QStringLiteral("<tr>(.*?)</tr>"),
                                        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression cell(QStringLiteral("<td[^>]*>(.*?)</td>"),
                                         QRegularExpression::DotMatchesEverythingOption);
    QList<QStringList> rows;
    for (const auto &r : row.globalMatch(elementHtml(id))) {
        QStringList cells;
        for (const auto &c : cell.globalMatch(r.captured(1)))
            cells << plainText(c.captured(1));
        if (!cells.isEmpty())
            rows << cells;
    }
    return rows;
}

QByteArray hexBytes(const QString &text)
{
    return QByteArray::fromHex(text.toLatin1());
}

NpcField fieldNamed(const QString &name)
{
    const std::optional<NpcField> field = NpcRecord::fieldNamed(name);
    EXPECT_TRUE(field) << name.toStdString();
    return field.value_or(NpcField::Mode);
}

// The bytes a field occupies, found by writing it alone.
QList<int> bytesOf(NpcField field)
{
    NpcRecord record;
    record.setValue(field, 0xFFFF);
    const NpcRecord::Bytes bytes = record.toBytes();
    QList<int> offsets;
    for (int i = 0; i < NpcRecord::Size; ++i) {
        if (bytes[i] != 0)
            offsets << i;
    }
    return offsets;
}

QString noneText(NpcField field)
{
    const FieldInfo *info = findFieldInfo(field);
    if (!info || info->shown != FieldShow::NoneAsMinusOne)
        return QStringLiteral("—");
    return QString::number(info->noneValue());
}

QString numberKind(NpcField field)
{
    const FieldInfo *info = findFieldInfo(field);
    if (!info)
        return QStringLiteral("не показывается");
    const bool isSigned = info->shown == FieldShow::Signed || info->shown == FieldShow::SignedByAbs;
    return isSigned ? QStringLiteral("со знаком") : QStringLiteral("без знака");
}

// The list that names the field, else the largest value the editor takes.
QString listOrLimitText(NpcField field)
{
    const FieldInfo *info = findFieldInfo(field);
    if (!info)
        return QStringLiteral("—");
    return info->hasList() ? ReferenceLists::fileName(info->list)
                           : QStringLiteral("до %1").arg(info->fixedMax);
}

std::optional<NpcLayout> layoutNamed(const QString &text)
{
    if (text.startsWith(QStringLiteral("стандартный")))
        return NpcLayout::StandardLayout;
    if (text.startsWith(QStringLiteral("вестинский")))
        return NpcLayout::VestaLayout;
    return std::nullopt;
}

TEST(ManualFormats, RecordTableGivesEveryFieldItsBytesNoneValueSignAndList)
{
    const QList<QStringList> rows = tableRows(QStringLiteral("npc-record"));
    ASSERT_EQ(rows.size(), NpcFieldCount);
    for (int f = 0; f < NpcFieldCount; ++f) {
        const QStringList &row = rows.at(f);
        ASSERT_EQ(row.size(), 7);
        const auto field = static_cast<NpcField>(f);
        SCOPED_TRACE(row.at(2).toStdString());
        EXPECT_EQ(fieldNamed(row.at(2)), field) << "fields in file order";
        const QList<int> bytes = bytesOf(field);
        EXPECT_EQ(row.at(0).toInt(), bytes.first());
        EXPECT_EQ(row.at(1).toInt(), bytes.size());
        const FieldInfo *info = findFieldInfo(field);
        EXPECT_EQ(row.at(3), info ? info->captionText() : QStringLiteral("—"));
        EXPECT_EQ(row.at(4), noneText(field));
        EXPECT_EQ(row.at(5), numberKind(field));
        EXPECT_EQ(row.at(6), listOrLimitText(field));
        // A record is empty when all but the fields not shown are zero.
        NpcRecord alone;
        alone.setValue(field, 1);
        EXPECT_EQ(alone.isEmpty(), row.at(5) == QStringLiteral("не показывается"));
    }
}

TEST(ManualFormats, InitialisedRecordBytes)
{
    NpcRecord record;
    record.initialise();
    const NpcRecord::Bytes bytes = record.toBytes();
    EXPECT_EQ(hexBytes(plainText(elementHtml(QStringLiteral("npc-initialised")))),
              QByteArray(reinterpret_cast<const char *>(bytes.data()), NpcRecord::Size));
}

TEST(ManualFormats, LayoutsPlaceTheRecordsAsTheTableSays)
{
    NpcRecords records{};
    for (int i = 0; i < RecordCount; ++i)
        records[i].Mode = quint16(0x100 + i); // tells every record from the others
    const QList<QStringList> rows = tableRows(QStringLiteral("npc-layouts"));
    ASSERT_EQ(rows.size(), 2);
    static const QRegularExpression recordStart(QStringLiteral("^(?:(\\d+) \\+ )?32 × i$"));
    for (const QStringList &row : rows) {
        SCOPED_TRACE(row.at(0).toStdString());
        const std::optional<NpcLayout> layout = layoutNamed(row.at(0));
        ASSERT_TRUE(layout);
        const QByteArray file = NpcWriter::encode(records, *layout);
        ASSERT_EQ(file.size(), NpcReader::FileSize);
        const QRegularExpressionMatch start = recordStart.match(row.at(3));
        ASSERT_TRUE(start.hasMatch()) << row.at(3).toStdString();
        const int first = start.captured(1).toInt();
        const int count = row.at(2).toInt();
        if (first > 0) {
            EXPECT_EQ(file.left(first), hexBytes(row.at(1)));
        }
        for (int i = 0; i < count; ++i) {
            const auto *at = reinterpret_cast<const quint8 *>(file.constData() + first + 32 * i);
            EXPECT_EQ(NpcRecord::decode(at), records[i]) << "record " << i;
        }
        const int end = first + 32 * count;
        EXPECT_EQ(file.mid(end), QByteArray(NpcReader::FileSize - end, '\0'));
        EXPECT_EQ(row.at(4).contains(QStringLiteral("%1 нулевых").arg(NpcReader::FileSize - end)),
                  end < 1600);
    }
}

TEST(ManualFormats, DetectionTableIsWhatTheReaderDecides)
{
    const QList<QStringList> rows = tableRows(QStringLiteral("npc-detection"));
    ASSERT_GE(rows.size(), 5);
    for (const QStringList &row : rows) {
        SCOPED_TRACE((row.at(0) + QLatin1Char(' ') + row.at(1)).toStdString());
        QByteArray head = hexBytes(row.at(1));
        head.append(QByteArray(4 - head.size(), '\0'));
        EXPECT_EQ(NpcReader::detectLayout(row.at(0).toLongLong(), head), layoutNamed(row.at(2)));
    }
}

TEST(ManualFormats, DialogueRecordAndItsWorkedExample)
{
    const QList<QStringList> layout = tableRows(QStringLiteral("edt-layout"));
    ASSERT_EQ(layout.size(), 4);
    EXPECT_EQ(layout.at(0).at(1).toInt(), EdtReader::RecordSize);
    EXPECT_EQ(layout.at(1).at(1).toInt(), EdtReader::UnitsPerRecord);
    EXPECT_EQ(layout.at(2).at(1).toInt(nullptr, 16), 0);
    EXPECT_EQ(layout.at(3).at(1).toInt(nullptr, 16), EdtReader::BlankUnit);

    QByteArray record;
    QString phrase;
    for (const QStringList &row : tableRows(QStringLiteral("edt-example"))) {
        SCOPED_TRACE(row.at(0).toStdString());
        const QByteArray bytes = hexBytes(row.at(0));
        ASSERT_EQ(bytes.size(), 2);
        EXPECT_EQ(quint8(bytes.at(0)) | quint8(bytes.at(1)) << 8, row.at(1).toInt(nullptr, 16))
            << "the low byte first";
        record += bytes;
        if (row.at(2) == QStringLiteral("пробел"))
            phrase += QLatin1Char(' ');
        else if (row.at(2) != QStringLiteral("конец фразы"))
            phrase += row.at(2);
    }
    ASSERT_FALSE(phrase.isEmpty());
    record.append(QByteArray(EdtReader::RecordSize - record.size(), '\x7f')); // never read
    EXPECT_EQ(fromWindows1251(EdtReader::decodeRecord(record.constData())), phrase);
}

TEST(ManualFormats, ListLinesGiveTheNumberAndNameShown)
{
    const QList<QStringList> rows = tableRows(QStringLiteral("list-lines"));
    ASSERT_GE(rows.size(), 5);
    for (const QStringList &row : rows) {
        SCOPED_TRACE(row.at(0).toStdString());
        const QString line = row.at(0) == QStringLiteral("(пустая строка)") ? QString() : row.at(0);
        ReferenceList list;
        list.appendText(toWindows1251(line) + "\r\n");
        if (row.at(1) == QStringLiteral("пропускается")) {
            EXPECT_TRUE(list.isEmpty());
            continue;
        }
        ASSERT_EQ(list.count(), 1);
        EXPECT_EQ(QString::fromLatin1(list.numberText(0)), row.at(1));
        const QString name = fromWindows1251(list.name(0));
        if (name.isEmpty()) {
            EXPECT_TRUE(row.at(2).contains(fromWindows1251(list.comboText(0)))) << "how an empty name shows";
        } else {
            EXPECT_EQ(name, row.at(2));
        }
    }
    // A number written otherwise is not that number.
    ReferenceList padded;
    padded.appendText("07=x\r\n");
    EXPECT_EQ(padded.indexOf(7), -1);
}

TEST(ManualFormats, MacroExampleIsWhatSavingTheTableRecordWrites)
{
    const QList<QStringList> rows = tableRows(QStringLiteral("macro-fields"));
    ASSERT_EQ(rows.size(), NpcFieldCount);
    NpcRecord record;
    for (int f = 0; f < NpcFieldCount; ++f) {
        const QStringList &row = rows.at(f);
        SCOPED_TRACE(row.at(1).toStdString());
        EXPECT_EQ(row.at(0).toInt(), f + 1);
        EXPECT_EQ(fieldNamed(row.at(1)), static_cast<NpcField>(f));
        record.setValue(static_cast<NpcField>(f), row.at(2).toUInt());
        EXPECT_EQ(row.at(3) == QStringLiteral("да"), f < MacroEntry::AppliedValueCount);
    }
    const QString example = plainText(elementHtml(QStringLiteral("macro-example")));
    const QString name = example.section(QLatin1Char('='), 0, 0);
    EXPECT_EQ(fromWindows1251(MacroEntry::form(toWindows1251(name), record)), example);

    // Applying keeps the last two spare fields of the record it lands on.
    NpcRecord target;
    target.Spare28 = 7;
    target.Spare30 = 8;
    ASSERT_TRUE(MacroEntry::apply(toWindows1251(example), target));
    record.Spare28 = 7;
    record.Spare30 = 8;
    EXPECT_EQ(target, record);
}

} // namespace
