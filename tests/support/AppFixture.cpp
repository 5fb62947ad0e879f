#include "support/AppFixture.h"

#include "gui/widgets/CommandContext.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

namespace
{

void copyFolder(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files);
    while (it.hasNext()) {
        it.next();
        QFile::copy(it.filePath(), QDir(to).filePath(it.fileName()));
    }
}

} // namespace

void AppFixture::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    m_previousDir = QDir::currentPath();
    if (copyShippedData)
        copyFolder(QStringLiteral(SCRIVLET_SOURCE_DIR "/Data"), pathIn(QStringLiteral("Data")));
    QFile::remove(pathIn(QStringLiteral("Data/macros.mcr")));
}

void AppFixture::TearDown()
{
    stop();
    QDir::setCurrent(m_previousDir);
}

void AppFixture::start(const QStringList &arguments)
{
    stop();
    QDir::setCurrent(m_dir.path());
    auto prompts = std::make_unique<ScriptedPrompts>();
    m_prompts = prompts.get();
    prompts->answers = std::exchange(startAnswers, {});
    m_windows = startUp(std::move(prompts), arguments);
    if (readListsAtOnce)
        CommandContext{session(), *m_prompts, main()}.report(session().loadListsIfUnread());
}

void AppFixture::stop()
{
    m_windows.reset();
    m_prompts = nullptr;
}

void AppFixture::writeFile(const QString &name, const QByteArray &bytes) const
{
    const QString path = pathIn(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QString AppFixture::writeScript(const QString &name, const NpcRecords &records, NpcLayout layout) const
{
    writeFile(name, NpcWriter::encode(records, layout));
    return pathIn(name);
}

QByteArray AppFixture::readFile(const QString &name) const
{
    QFile file(pathIn(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QMenu *AppFixture::menu(const char *name)
{
    for (QAction *entry : main().menuBar()->actions()) {
        if (entry->objectName() == QLatin1String(name))
            return entry->menu();
    }
    return nullptr;
}

void AppFixture::trigger(const char *name)
{
    QAction *a = action(name);
    ASSERT_NE(a, nullptr) << name;
    ASSERT_TRUE(a->isEnabled()) << name;
    a->trigger();
}
