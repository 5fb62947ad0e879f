#include "cli/CliFixture.h"

#include "cli/Cli.h"
#include "common/Windows1251.h"
#include "support/DialogueFileBytes.h"

#include <QBuffer>
#include <QFile>

void CliFixture::SetUp()
{
    m_previous = QDir::currentPath();
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const auto list = [this](const char *name, const char *utf8) {
        writeFile(QStringLiteral("Data/") + QLatin1String(name), toWindows1251(QString::fromUtf8(utf8)));
    };
    list("Action.txt", "; действия\r\n0=Подход\r\n1=Разговор\r\n");
    list("Items.txt", "1=Монета\r\n2=Хлеб\r\n");
    list("Npc.txt", "57=Кузнец\r\n112=Стражник\r\n113=Гость\r\n");
    list("React.txt", "0=Нет\r\n3=Улыбка\r\n");
    list("Trigg.txt", "0=Встреча\r\n1=Ссора\r\n5=Помощь\r\n");
    list("Q_Input.txt", "0=Мост\r\n");
    list("Q_Output.txt", "0=Выполнен\r\n");
    list("Modes.txt", "0=Всегда\r\n");
}

void CliFixture::TearDown()
{
    QDir::setCurrent(m_previous);
}

NpcRecord CliFixture::plain()
{
    NpcRecord record;
    record.initialise();
    return record;
}

void CliFixture::writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void CliFixture::writeScript(const QString &path, const NpcRecords &records, NpcLayout layout)
{
    writeFile(path, NpcWriter::encode(records, layout));
}

void CliFixture::writeEdt(const QString &path, const QList<QByteArray> &lines)
{
    writeFile(path, dialogueFileBytes(lines));
}

QByteArray CliFixture::fileBytes(const QString &path) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

CliFixture::Result CliFixture::run(const QStringList &arguments)
{
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    Result result;
    result.code = runCli(arguments, out, err);
    result.outBytes = out.data();
    result.out = QString::fromUtf8(out.data());
    result.err = QString::fromUtf8(err.data());
    return result;
}
