#include "cli/CliFixture.h"
#include "common/Windows1251.h"
#include "support/QtPrinters.h"

TEST_F(CliFixture, CheckSpellingNotesUnknownWordsOfEachDialogueFile)
{
    QDir().mkpath(QStringLiteral("game"));
    writeScript(QStringLiteral("game/001.npc"), NpcRecords{});
    writeEdt(QStringLiteral("game/001.edt"), {toWindows1251(QStringLiteral("Превет, путник")), "Hello"});
    Result result = run({QStringLiteral("check"), QStringLiteral("game"), QStringLiteral("--spelling")});
    EXPECT_EQ(result.code, 0) << "notes only";
    EXPECT_TRUE(result.out.contains(
        QStringLiteral("game/001.edt: phrase 0: note: неизвестное слово «Превет»; может быть: ")))
        << result.out.toStdString();
    EXPECT_TRUE(result.out.contains(QStringLiteral("«Hello»"))) << "not Russian";
    EXPECT_TRUE(result.out.contains(QStringLiteral("[spelling]\n")));

    result = run({QStringLiteral("check"), QStringLiteral("game"), QStringLiteral("--spelling"), QStringLiteral("--lang"),
                  QStringLiteral("en_US"), QStringLiteral("--format"), QStringLiteral("json")});
    EXPECT_TRUE(result.out.contains(QStringLiteral("\"phrase\": 0, \"level\": \"note\", \"rule\": \"spelling\"")))
        << result.out.toStdString();
    EXPECT_TRUE(result.out.contains(QStringLiteral("\"word\": \"путник\"")));
    EXPECT_FALSE(result.out.contains(QStringLiteral("\"word\": \"Hello\"")));

    result = run({QStringLiteral("check"), QStringLiteral("game"), QStringLiteral("--spelling"), QStringLiteral("--lang"),
                  QStringLiteral("qq_QQ")});
    EXPECT_EQ(result.code, 2);
#ifdef Q_OS_WIN // where to put the files, the way out there, is the program's own folder
    EXPECT_TRUE(result.err.startsWith(QStringLiteral("scrivlet-cli: --spelling: Нет словаря qq_QQ для проверки "
                                                     "орфографии: положите файлы qq_QQ.aff и qq_QQ.dic в папку ")));
#else
    EXPECT_EQ(result.err, QStringLiteral("scrivlet-cli: --spelling: Нет словаря qq_QQ для проверки орфографии: "
                                         "установите пакет hunspell-qq-qq.\n"));
#endif
    EXPECT_EQ(result.out, QString());
}
