#include "editor/NpcJson.h"
#include "document/NpcFile.h"

#include "support/QtPrinters.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <random>

namespace
{

// Random bytes whose first ones pass the layout check of the given layout.
QByteArray randomScript(std::mt19937 &random, NpcLayout layout)
{
    QByteArray bytes(NpcReader::FileSize, '\0');
    for (auto &b : bytes)
        b = static_cast<char>(random());
    if (layout == NpcLayout::VestaLayout) {
        bytes.replace(0, 4, QByteArray("\x39\x00\x35\x00", 4));
    } else {
        static constexpr char FirstBytes[] = {0, 2, 4, 0x39};
        bytes[0] = FirstBytes[random() % 4];
        bytes[1] = 0;
        if (bytes[0] == 0x39 && bytes[2] == 0x35 && bytes[3] == 0)
            bytes[2] = 0x36; // that would be the Vesta header
    }
    return bytes;
}

NpcReader readBytes(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    NpcReader reader;
    EXPECT_TRUE(reader.read(&buffer));
    return reader;
}

QString readError(const QByteArray &json)
{
    NpcJsonReader reader;
    EXPECT_FALSE(reader.read(json));
    return reader.errorString();
}

} // namespace

TEST(NpcJsonTest, DumpThenBuildGivesBackTheBytes)
{
    std::mt19937 random(2024);
    for (int round = 0; round < 300; ++round) {
        const NpcLayout layout = round % 2 ? NpcLayout::VestaLayout : NpcLayout::StandardLayout;
        const QByteArray file = randomScript(random, layout);
        const NpcReader script = readBytes(file);
        NpcJsonReader json;
        ASSERT_TRUE(json.read(npcToJson(script.records(), script.layout())))
            << json.errorString().toStdString();
        ASSERT_EQ(json.layout(), layout);
        const QByteArray built = NpcWriter::encode(json.records(), *json.layout());
        if (layout == NpcLayout::StandardLayout) {
            ASSERT_EQ(built, file) << "round " << round;
        } else {
            ASSERT_EQ(built.left(1572), file.left(1572)) << "round " << round;
            ASSERT_EQ(built.mid(1572), QByteArray(28, '\0'));
        }
    }
}

TEST(NpcJsonTest, TheFormNamesEveryFieldInFileOrder)
{
    NpcRecords records{};
    records[1].FDay = 5;
    records[1].Spare30 = 65535;
    const QByteArray json = npcToJson(records, NpcLayout::VestaLayout);
    EXPECT_TRUE(
        json.startsWith("{\n  \"layout\": \"vesta\",\n  \"records\": [\n    {\"index\": 0, \"Mode\": 0, "
                        "\"ItemIn\": 0,"));
    EXPECT_TRUE(
        json.contains("{\"index\": 1, \"Mode\": 0, \"ItemIn\": 0, \"TriggT\": 0, \"TriggF\": 0, "
                      "\"Q_was\": 0, \"FDay\": 5, \"LDay\": 0, \"Action\": 0, \"Leader\": 0, "
                      "\"Phrase\": 0, \"PhraseCnt\": 0, \"Q_Input\": 0, \"Q_Output\": 0, "
                      "\"ControlNpc\": 0, \"ControlRec\": 0, \"Spare19\": 0, \"Trigg2T\": 0, "
                      "\"ItemOut\": 0, \"GoSect\": 0, \"React\": 0, \"Spare28\": 0, \"Spare30\": 65535},"));
    EXPECT_EQ(json.count("\"index\""), 50);
}

TEST(NpcJsonTest, RecordsLeftOutAreEmptyFieldsLeftOutAreInitialisedAndTheLayoutIsOptional)
{
    NpcJsonReader reader;
    ASSERT_TRUE(reader.read(R"({"records": [{"index": 7, "FDay": 3, "GoSect": 65535}]})"));
    EXPECT_FALSE(reader.layout());
    NpcRecords expected{};
    expected[7].initialise();
    expected[7].FDay = 3;
    expected[7].GoSect = 65535;
    EXPECT_EQ(reader.records(), expected);
    EXPECT_EQ(expected[7].ControlNpc, NoneByte) << "a record left half-written hands control to nobody";
}

TEST(NpcJsonTest, ValuesAreWrittenAsTheEditorShowsThemAndReadInEitherForm)
{
    NpcRecords records{};
    records[2].initialise();
    records[2].ItemIn = quint16(-5);
    records[2].React = quint16(-300);
    records[2].Mode = NoneWord; // shown as stored: Mode has no none value in the editor
    records[2].Spare28 = NoneWord;
    const QByteArray json = npcToJson(records, NpcLayout::StandardLayout);
    EXPECT_TRUE(json.contains("{\"index\": 2, \"Mode\": 65535, \"ItemIn\": -5, \"TriggT\": -1, "
                              "\"TriggF\": -1, \"Q_was\": -1, \"FDay\": 0, \"LDay\": -1, "))
        << json.constData();
    EXPECT_TRUE(json.contains("\"ControlNpc\": -1, \"ControlRec\": -1, \"Spare19\": 0, \"Trigg2T\": -1, "
                              "\"ItemOut\": 0, \"GoSect\": -1, \"React\": -300, \"Spare28\": 65535"));

    // What dump writes, what older files hold (raw numbers), and -1 for any field read the same.
    const struct {
        const char *json;
        quint16 NpcRecord::*member;
        quint16 stored;
    } words[] = {
        {R"({"records": [{"index": 0, "ItemIn": -5}]})", &NpcRecord::ItemIn, 65531},
        {R"({"records": [{"index": 0, "ItemIn": 65531}]})", &NpcRecord::ItemIn, 65531},
        {R"({"records": [{"index": 0, "React": -32768}]})", &NpcRecord::React, 32768},
        {R"({"records": [{"index": 0, "TriggT": 65535}]})", &NpcRecord::TriggT, NoneWord},
        {R"({"records": [{"index": 0, "Mode": -1}]})", &NpcRecord::Mode, NoneWord},
        {R"({"records": [{"index": 0, "Spare30": -1}]})", &NpcRecord::Spare30, NoneWord},
        {R"({"records": [{"index": 0, "GoSect": -2}]})", &NpcRecord::GoSect, 65534},
    };
    for (const auto &c : words) {
        NpcJsonReader reader;
        ASSERT_TRUE(reader.read(c.json)) << c.json << reader.errorString().toStdString();
        EXPECT_EQ(reader.records()[0].*c.member, c.stored) << c.json;
    }
    NpcJsonReader bytes;
    ASSERT_TRUE(bytes.read(R"({"records": [{"index": 0, "ControlNpc": -1, "Leader": -1, "Spare19": 255}]})"));
    EXPECT_EQ(bytes.records()[0].ControlNpc, NoneByte);
    EXPECT_EQ(bytes.records()[0].Leader, NoneByte);
    EXPECT_EQ(bytes.records()[0].Spare19, NoneByte);
}

TEST(NpcJsonTest, RefusesWhatItCannotTakeWholeNamingRecordAndField)
{
    EXPECT_TRUE(readError("{\"records\": [").startsWith(QStringLiteral("ошибка JSON на смещении")));
    EXPECT_EQ(readError("[]"), QStringLiteral("ожидается объект JSON с ключами layout и records"));
    EXPECT_EQ(readError(R"({"records": [], "extra": 1})"), QStringLiteral("неизвестный ключ «extra»"));
    EXPECT_EQ(readError(R"({"layout": "wide", "records": []})"),
              QStringLiteral("layout: неизвестный формат \"wide\" (ожидается \"standard\" или \"vesta\")"));
    EXPECT_EQ(readError(R"({"layout": "vesta"})"), QStringLiteral("records: ожидается массив записей"));
    EXPECT_EQ(readError(R"({"records": [5]})"), QStringLiteral("records[0]: ожидается объект записи"));
    EXPECT_EQ(readError(R"({"records": [{"FDay": 1}]})"), QStringLiteral("records[0]: нет ключа index"));
    EXPECT_EQ(readError(R"({"records": [{"index": 50}]})"), QStringLiteral("records[0]: index 50 вне 0–49"));
    EXPECT_EQ(readError(R"({"records": [{"index": 1.5}]})"),
              QStringLiteral("records[0]: index 1.5 вне 0–49"));
    EXPECT_EQ(readError(R"({"records": [{"index": 3}, {"index": 3}]})"),
              QStringLiteral("запись 3 указана дважды"));
    EXPECT_EQ(readError(R"({"records": [{"index": 3, "FDey": 1}]})"),
              QStringLiteral("запись 3: неизвестное поле «FDey»"));
    EXPECT_EQ(readError(R"({"records": [{"index": 3, "FDay": 256}]})"),
              QStringLiteral("запись 3, поле FDay: значение 256 не помещается в поле (-128–255)"));
    EXPECT_EQ(readError(R"({"records": [{"index": 3, "ItemOut": -32769}]})"),
              QStringLiteral("запись 3, поле ItemOut: значение -32769 не помещается в поле (-32768–65535)"));
    EXPECT_EQ(readError(R"({"records": [{"index": 3, "Mode": "2"}]})"),
              QStringLiteral("запись 3, поле Mode: значение \"2\" не помещается в поле (-32768–65535)"));
}
