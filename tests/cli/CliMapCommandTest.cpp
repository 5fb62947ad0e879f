#include "cli/CliFixture.h"
#include "support/QtPrinters.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QtEndian>

namespace
{

// A script that links to itself, to an empty record and to another character.
class CliMapCommandTest : public CliFixture
{
protected:
    void SetUp() override
    {
        CliFixture::SetUp();
        NpcRecords records{};
        for (int i = 0; i < 3; ++i)
            records[i] = plain();
        records[0].ControlNpc = 57;
        records[0].ControlRec = 1;
        records[0].Phrase = 0;
        records[1].ControlNpc = 57;
        records[1].ControlRec = 9; // empty
        records[2].ControlNpc = 112;
        records[2].ControlRec = 0;
        writeScript(QStringLiteral("npc/057.npc"), records);
        writeEdt(QStringLiteral("npc/057.edt"), {"Greetings"});
    }

    // The program itself, as a user without a display starts it.
    Result start(const QStringList &arguments)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(SCRIVLET_CLI), arguments);
        Result result;
        if (!process.waitForFinished(-1))
            return result;
        result.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = QString::fromUtf8(process.readAllStandardOutput());
        result.err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }
};

} // namespace

TEST_F(CliMapCommandTest, WritesThePictureWithoutADisplay)
{
    const Result png = start({QStringLiteral("map"), QStringLiteral("npc/057.npc"), QStringLiteral("-o"),
                              QStringLiteral("map.PNG")});
    EXPECT_EQ(png.code, 0) << png.err.toStdString();
    const QByteArray image = fileBytes(QStringLiteral("map.PNG"));
    ASSERT_TRUE(image.startsWith("\x89PNG\r\n\x1a\n"));
    const quint32 width = qFromBigEndian<quint32>(image.constData() + 16);
    const quint32 height = qFromBigEndian<quint32>(image.constData() + 20);
    // Four boxes in three ranks: wider and taller than any one box.
    EXPECT_GT(width, 150u);
    EXPECT_GT(height, 150u);

    const Result svg = start({QStringLiteral("map"), QStringLiteral("npc/057.npc"), QStringLiteral("-o"),
                              QStringLiteral("out/map.svg")});
    EXPECT_EQ(svg.code, 2); // the folder for it is missing
    EXPECT_TRUE(svg.err.contains(QStringLiteral("не удалось записать файл out/map.svg"))) << svg.err.toStdString();
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("out")));
    EXPECT_EQ(start({QStringLiteral("map"), QStringLiteral("npc/057.npc"), QStringLiteral("-o"),
                     QStringLiteral("out/map.svg")})
                  .code,
              0);
    const QString text = QString::fromUtf8(fileBytes(QStringLiteral("out/map.svg")));
    EXPECT_TRUE(text.contains(QStringLiteral("<svg"))) << text.left(200).toStdString();
    for (const QString &shown : {QStringLiteral("0 · Подход"), QStringLiteral("«Greetings»"),
                                 QStringLiteral("#112 · 0"), QStringLiteral("Стражник"), QStringLiteral("пустая запись")})
        EXPECT_TRUE(text.contains(shown)) << shown.toStdString();
}

// A name of any length from a stranger's list: the box stays narrow, the name is cut with
// "…", and the SVG keeps it whole.
TEST_F(CliMapCommandTest, ALongNameIsCutAndThePictureStaysSmall)
{
    const QByteArray name(200000, 'W');
    writeFile(QStringLiteral("Data/Action.txt"), "0=" + name + "\r\n");
    const Result png = start({QStringLiteral("map"), QStringLiteral("npc/057.npc"), QStringLiteral("-o"),
                              QStringLiteral("map.png")});
    EXPECT_EQ(png.code, 0) << png.err.toStdString();
    const QByteArray image = fileBytes(QStringLiteral("map.png"));
    ASSERT_TRUE(image.startsWith("\x89PNG\r\n\x1a\n"));
    EXPECT_LT(qFromBigEndian<quint32>(image.constData() + 16), 2000u);
    EXPECT_LT(qFromBigEndian<quint32>(image.constData() + 20), 2000u);

    const Result svg = start({QStringLiteral("map"), QStringLiteral("npc/057.npc"), QStringLiteral("-o"),
                              QStringLiteral("map.svg")});
    EXPECT_EQ(svg.code, 0) << svg.err.toStdString();
    const QByteArray text = fileBytes(QStringLiteral("map.svg"));
    EXPECT_TRUE(text.contains("WWW…")) << text.left(400).toStdString();
    EXPECT_TRUE(text.contains("<desc>0 · " + name)) << "the whole name";
}

TEST_F(CliMapCommandTest, RefusesWhatItCannotDrawAndWritesNothing)
{
    for (const QStringList &arguments :
         {QStringList{QStringLiteral("map"), QStringLiteral("npc/057.npc"), QStringLiteral("-o"), QStringLiteral("map.jpg")},
          QStringList{QStringLiteral("map"), QStringLiteral("npc"), QStringLiteral("-o"), QStringLiteral("map.png")},
          QStringList{QStringLiteral("map"), QStringLiteral("none.npc"), QStringLiteral("-o"), QStringLiteral("map.png")},
          QStringList{QStringLiteral("map"), QStringLiteral("npc/057.npc")}}) {
        const Result result = run(arguments);
        EXPECT_EQ(result.code, 2) << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(result.err.isEmpty());
    }
    // Within this test program nothing loaded the drawing library: said, not pretended.
    const Result unloaded = run({QStringLiteral("map"), QStringLiteral("npc/057.npc"), QStringLiteral("-o"),
                                 QStringLiteral("map.png")});
    EXPECT_EQ(unloaded.code, 2);
    EXPECT_TRUE(unloaded.err.contains(QStringLiteral("библиотека рисования не загружена")));
    EXPECT_FALSE(QFile::exists(QStringLiteral("map.png")));
    EXPECT_FALSE(QFile::exists(QStringLiteral("map.jpg")));
}
