#include "cli/CliFixture.h"
#include "common/Windows1251.h"
#include "translation/GettextTools.h"
#include "support/QtPrinters.h"

#include <QFile>
#include <QFileInfo>

namespace
{

QByteArray cp(const char *utf8)
{
    return toWindows1251(QString::fromUtf8(utf8));
}

class CliPoCommandTest : public CliFixture
{
protected:
    void SetUp() override
    {
        CliFixture::SetUp();
        QDir().mkpath(QStringLiteral("game"));
        NpcRecords records{};
        records[2] = plain();
        records[2].Phrase = 0;
        records[2].PhraseCnt = 2;
        writeScript(QStringLiteral("game/057.npc"), records);
        writeEdt(QStringLiteral("game/057.edt"), {cp("Здравствуй"), cp("Чего надо?"), "", cp("Здравствуй")});
        writeEdt(QStringLiteral("game/112.edt"), {cp("Стой!")});
    }

    // The template with every line translated by the given texts, in order.
    QByteArray translated(const QList<QByteArray> &texts)
    {
        QByteArray po = run({QStringLiteral("po"), QStringLiteral("export"), QStringLiteral("game")}).outBytes;
        qsizetype at = po.indexOf("msgctxt");
        for (const QByteArray &text : texts) {
            at = po.indexOf("msgstr \"\"", at);
            po.replace(at, 9, "msgstr \"" + text + '"');
            at += 9;
        }
        return po;
    }
};

} // namespace

TEST_F(CliPoCommandTest, ExportMsgmergeImportIsTheRoundTrip)
{
    const Result exported =
        run({QStringLiteral("po"), QStringLiteral("export"), QStringLiteral("game"), QStringLiteral("-o"),
             QStringLiteral("game.pot")});
    ASSERT_EQ(exported.code, 0) << exported.err.toStdString();
    const QByteArray pot = fileBytes(QStringLiteral("game.pot"));
    EXPECT_TRUE(pot.contains("#. Кузнец: запись 2\n#: 057.edt:0 057.edt:3\nmsgctxt \"057.edt\"\nmsgid "
                             "\"Здравствуй\"\nmsgstr \"\"\n"))
        << pot.constData();
    EXPECT_TRUE(pot.contains("#: 112.edt:0\nmsgctxt \"112.edt\"\nmsgid \"Стой!\"")) << "no script, no note";

    writeFile(QStringLiteral("en.po"), translated({"Hello", "What?", "Halt!"}));
    const QByteArray before = fileBytes(QStringLiteral("game/057.edt"));
    Result result = run({QStringLiteral("po"), QStringLiteral("import"), QStringLiteral("en.po"),
                         QStringLiteral("game"), QStringLiteral("-o"), QStringLiteral("out")});
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, QStringLiteral("057.edt: переведено 3, без перевода 0, неточных 0\n"
                                         "112.edt: переведено 1, без перевода 0, неточных 0\n"));
    EXPECT_EQ(fileBytes(QStringLiteral("game/057.edt")), before);
    const Result text = run({QStringLiteral("edt2txt"), QStringLiteral("out/057.edt")});
    EXPECT_EQ(text.outBytes, "#0\r\nHello\r\n\r\n#1\r\nWhat?\r\n\r\n#2\r\n\r\n\r\n#3\r\nHello\r\n\r\n");

    if (!hasGettext())
        return;
    const GettextRun check = gettext(QStringLiteral("msgfmt"), {QStringLiteral("--check"), QStringLiteral("-o"),
                                                                QStringLiteral("/dev/null"), QStringLiteral("game.pot")});
    EXPECT_EQ(check.code, 0) << check.err.constData();
    // The text changes; msgmerge carries the translation over, marking the near one fuzzy.
    writeEdt(QStringLiteral("game/057.edt"), {cp("Здравствуй!"), cp("Чего надо?")});
    run({QStringLiteral("po"), QStringLiteral("export"), QStringLiteral("game"), QStringLiteral("-o"),
         QStringLiteral("game.pot")});
    const GettextRun merged = gettext(QStringLiteral("msgmerge"), {QStringLiteral("--quiet"), QStringLiteral("-U"),
                                                                   QStringLiteral("en.po"), QStringLiteral("game.pot")});
    ASSERT_EQ(merged.code, 0) << merged.err.constData();
    result = run({QStringLiteral("po"), QStringLiteral("import"), QStringLiteral("en.po"), QStringLiteral("game"),
                  QStringLiteral("--in-place")});
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, QStringLiteral("057.edt: переведено 1, без перевода 0, неточных 1\n"
                                         "112.edt: переведено 1, без перевода 0, неточных 0\n"));
    EXPECT_EQ(run({QStringLiteral("edt2txt"), QStringLiteral("game/057.edt")}).outBytes,
              "#0\r\n" + cp("Здравствуй!") + "\r\n\r\n#1\r\nWhat?\r\n\r\n");
}

TEST_F(CliPoCommandTest, BadTranslationsAndBadFilesWriteNothing)
{
    const QByteArray edt057 = fileBytes(QStringLiteral("game/057.edt"));
    const QByteArray edt112 = fileBytes(QStringLiteral("game/112.edt"));
    auto unchanged = [&] {
        EXPECT_EQ(fileBytes(QStringLiteral("game/057.edt")), edt057);
        EXPECT_EQ(fileBytes(QStringLiteral("game/112.edt")), edt112);
        EXPECT_FALSE(QFileInfo::exists(QStringLiteral("out")));
    };
    const QStringList inPlace{QStringLiteral("po"), QStringLiteral("import"), QStringLiteral("en.po"),
                              QStringLiteral("game"), QStringLiteral("--in-place")};

    // One translation that fits and one that does not: neither file is written.
    QByteArray po = translated({"Hello", "", "日本"});
    writeFile(QStringLiteral("en.po"), po);
    const int badLine = int(po.left(po.indexOf("日本")).count('\n')) + 1;
    Result result = run(inPlace);
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.err, QStringLiteral("en.po:%1: 112.edt: Знака «日» (U+65E5) нет в кодировке Windows-1251: в "
                                         "фразу его не записать.\n"
                                         "scrivlet-cli: перевод не помещается в строки; ничего не записано\n")
                              .arg(badLine));
    unchanged();

    // An entry for a file that is not there.
    writeFile(QStringLiteral("en.po"), translated({"Hello"}) + "\nmsgctxt \"57.edt\"\nmsgid \"x\"\nmsgstr \"y\"\n");
    result = run(inPlace);
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(result.err.startsWith(QStringLiteral("en.po:")));
    EXPECT_TRUE(result.err.contains(QStringLiteral("msgctxt «57.edt» не называет ни одного файла диалогов")))
        << result.err.toStdString();
    unchanged();

    // A file that is no PO file, and one that is not there.
    writeFile(QStringLiteral("en.po"), "msgid \"broken\nmsgstr \"\"\n");
    result = run(inPlace);
    EXPECT_EQ(result.code, 2);
    EXPECT_EQ(result.err, QStringLiteral("scrivlet-cli: en.po: строка 1: нарушены кавычки строки\n"));
    EXPECT_EQ(run({QStringLiteral("po"), QStringLiteral("import"), QStringLiteral("none.po"),
                   QStringLiteral("game"), QStringLiteral("-o"), QStringLiteral("out")})
                  .code,
              2);
    unchanged();

    // A file far larger than any translation is refused unread.
    {
        QFile huge(QStringLiteral("huge.po"));
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(100LL * 1024 * 1024));
    }
    result = run({QStringLiteral("po"), QStringLiteral("import"), QStringLiteral("huge.po"), QStringLiteral("game"),
                  QStringLiteral("--in-place")});
    EXPECT_EQ(result.code, 2);
    EXPECT_TRUE(result.err.startsWith(QStringLiteral("scrivlet-cli: huge.po: "))) << result.err.toStdString();
    QFile::remove(QStringLiteral("huge.po"));
    unchanged();

    // The originals are replaced only when asked.
    writeFile(QStringLiteral("en.po"), translated({"Hello"}));
    result = run({QStringLiteral("po"), QStringLiteral("import"), QStringLiteral("en.po"), QStringLiteral("game"),
                  QStringLiteral("-o"), QStringLiteral("game")});
    EXPECT_EQ(result.code, 2);
    EXPECT_EQ(run({QStringLiteral("po"), QStringLiteral("import"), QStringLiteral("en.po"), QStringLiteral("game")})
                  .code,
              2);
    EXPECT_EQ(run({QStringLiteral("po"), QStringLiteral("rename"), QStringLiteral("game")}).code, 2);
    unchanged();
}
