#include "cli/CliFixture.h"
#include "common/Windows1251.h"
#include "support/QtPrinters.h"

namespace
{

QByteArray cp(const QString &text)
{
    return toWindows1251(text);
}

// Two scripts with their dialogue files, one in a subfolder, and a dialogue file of no script.
class CliReplaceTest : public CliFixture
{
protected:
    void SetUp() override
    {
        CliFixture::SetUp();
        QDir().mkpath(QStringLiteral("game/sub"));
        writeScript(QStringLiteral("game/001.npc"), NpcRecords{});
        writeEdt(QStringLiteral("game/001.edt"), {cp(QStringLiteral("Привет, Ёрш!")), "keep", cp(QStringLiteral("ёрш"))});
        writeScript(QStringLiteral("game/sub/002.npc"), NpcRecords{});
        writeEdt(QStringLiteral("game/sub/002.EDT"), {cp(QStringLiteral("ерш и ерш"))});
        writeEdt(QStringLiteral("game/lone.edt"), {cp(QStringLiteral("ёрш"))});
    }

    QList<QByteArray> allFiles() const
    {
        QList<QByteArray> files;
        for (const char *path : {"game/001.edt", "game/sub/002.EDT", "game/lone.edt"})
            files << fileBytes(QLatin1String(path));
        return files;
    }

    Result replace(const QStringList &arguments)
    {
        return run(QStringList{QStringLiteral("replace")} + arguments);
    }
};

} // namespace

TEST_F(CliReplaceTest, ChangesTheLinesOfEveryDialogueFileOfTheFolder)
{
    const QByteArray keptRecord = fileBytes(QStringLiteral("game/001.edt")).mid(480, 480);
    const QStringList call{QStringLiteral("--text"), QStringLiteral("ЕРШ"), QStringLiteral("--with"),
                           QStringLiteral("окунь"), QStringLiteral("--ignore-case"), QStringLiteral("--yo"),
                           QStringLiteral("game")};
    const QList<QByteArray> before = allFiles();
    Result result = replace(call + QStringList{QStringLiteral("--dry-run")});
    const QString listed = QStringLiteral("game/001.edt:0: Привет, Ёрш! → Привет, окунь!\n"
                                          "game/001.edt:2: ёрш → окунь\n"
                                          "game/sub/002.EDT:0: ерш и ерш → окунь и окунь\n");
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.out, listed);
    EXPECT_EQ(allFiles(), before) << "--dry-run writes nothing";

    result = replace(call);
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.err, QString());
    EXPECT_EQ(result.out, listed);
    writeEdt(QStringLiteral("expected.edt"), {cp(QStringLiteral("окунь и окунь"))});
    EXPECT_EQ(fileBytes(QStringLiteral("game/sub/002.EDT")), fileBytes(QStringLiteral("expected.edt")));
    EXPECT_EQ(fileBytes(QStringLiteral("game/001.edt")).mid(480, 480), keptRecord);
    EXPECT_EQ(fileBytes(QStringLiteral("game/lone.edt")), before.at(2)) << "no script speaks it";

    // A dialogue file named on its own is taken as it is; nothing left to match is a 1.
    result = replace(call);
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.out, QString());
    EXPECT_EQ(result.err, QStringLiteral("scrivlet-cli: совпадений нет; ничего не записано\n"));
    EXPECT_EQ(replace({QStringLiteral("--text"), QStringLiteral("ёрш"), QStringLiteral("--with"),
                       QStringLiteral("сом"), QStringLiteral("game/lone.edt")})
                  .out,
              QStringLiteral("game/lone.edt:0: ёрш → сом\n"));
}

TEST_F(CliReplaceTest, ARefusedLineKeepsEveryFileAsItWas)
{
    writeEdt(QStringLiteral("game/sub/002.EDT"), {QByteArray(230, 'x') + cp(QStringLiteral("ерш"))});
    const QList<QByteArray> before = allFiles();
    const Result result = replace({QStringLiteral("--text"), QStringLiteral("(ё|е)рш"), QStringLiteral("--with"),
                                   QStringLiteral("\\1рш-великан"), QStringLiteral("--regex"),
                                   QStringLiteral("game")});
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.out, QString());
    EXPECT_TRUE(result.err.startsWith(QStringLiteral("scrivlet-cli: game/sub/002.EDT:0: Фраза длиннее 240 знаков: 241.")))
        << result.err.toStdString();
    EXPECT_TRUE(result.err.endsWith(QStringLiteral("scrivlet-cli: ничего не записано\n")));
    EXPECT_EQ(allFiles(), before);
}

TEST_F(CliReplaceTest, ABadCallChangesNothing)
{
    const QList<QByteArray> before = allFiles();
    const struct {
        QStringList arguments;
        QString error;
    } cases[] = {
        {{QStringLiteral("--text"), QStringLiteral("(ерш"), QStringLiteral("--regex")},
         QStringLiteral("scrivlet-cli replace: --text: Регулярное выражение не разобрать")},
        {{QStringLiteral("--text"), QStringLiteral("x*"), QStringLiteral("--regex")},
         QStringLiteral("scrivlet-cli replace: --text: Регулярное выражение совпадает с пустой строкой")},
        {{QStringLiteral("--text"), QStringLiteral("ерш"), QStringLiteral("nowhere")},
         QStringLiteral("scrivlet-cli: nowhere: нет такого файла или папки\nscrivlet-cli: ничего не записано\n")},
    };
    for (const auto &c : cases) {
        const Result result =
            replace(c.arguments + QStringList{QStringLiteral("--with"), QStringLiteral("x"), QStringLiteral("game")});
        EXPECT_EQ(result.code, 2);
        EXPECT_TRUE(result.err.startsWith(c.error)) << result.err.toStdString();
        EXPECT_EQ(result.out, QString());
    }
    EXPECT_EQ(allFiles(), before);
}
