#include "cli/CliContext.h"

#include "common/FileSetRecovery.h"
#include "common/FileSetWriter.h"
#include "common/SaveFile.h"
#include "editor/ListFolders.h"
#include "session/ShippedFiles.h"

#include <QDir>
#include <QFileInfo>

CliContext::CliContext(const QString &command, Console &out, Console &err, ParsedArguments arguments)
    : command(command), out(out), err(err), args(std::move(arguments))
{
}

QString usageText(const QString &command, const QString &message)
{
    const QString program = QLatin1String(CliContext::Program);
    const QString name = command.isEmpty() ? program : program + QLatin1Char(' ') + command;
    return name + QStringLiteral(": ") + message + QStringLiteral("\nСправка: ") + name +
           QStringLiteral(" --help");
}

void CliContext::usageFailed(const QString &message)
{
    m_failed = true;
    err.line(usageText(command, message));
}

const ReferenceLists &CliContext::lists()
{
    if (!m_lists) {
        m_lists.emplace();
        const QString dataDir = args.value(QStringLiteral("--data"));
        if (!dataDir.isEmpty() && !QFileInfo(dataDir).isDir())
            warn(QStringLiteral("папка списков %1 не найдена, списки берутся из папки Data").arg(dataDir));
        const ListFolders folders = ListFolders::of(dataDir, QDir::currentPath(), ShippedFiles::dataDir());
        LoadedLists loaded = loadLists(folders);
        *m_lists = std::move(loaded.lists);
        const QStringList &failed = loaded.failed;
        const QString &standardDir = folders.standard;
        if (dataDir.isEmpty() && failed.size() == ReferenceLists::Count && !QFileInfo(standardDir).isDir()) {
            // One word for the usual case, a folder without lists, instead of eight.
            warn(QStringLiteral("нет папки списков %1, названия не выводятся и не проверяются (--data ПАПКА)")
                     .arg(QDir::toNativeSeparators(standardDir)));
            return *m_lists;
        }
        for (const QString &path : failed)
            warn(QStringLiteral("Проблема чтения файла ") + path);
    }
    return *m_lists;
}

void CliContext::warn(const QString &message)
{
    err.line(QLatin1String(Program) + QStringLiteral(": предупреждение: ") + message);
}

void CliContext::inputFailed(const QString &path, const QString &reason)
{
    m_failed = true;
    err.line(QLatin1String(Program) + QStringLiteral(": ") + shownPath(path) + QStringLiteral(": ") + reason);
}

int CliContext::exitCode(bool negativeAnswer) const
{
    if (m_failed)
        return ExitFailure;
    return negativeAnswer ? ExitNegative : ExitOk;
}

std::optional<NpcReader> CliContext::readScript(const QString &path)
{
    NpcReader reader;
    if (reader.read(path))
        return reader;
    inputFailed(path, reader.reason());
    return std::nullopt;
}

bool CliContext::mayReplace(const QStringList &paths)
{
    if (args.has(QStringLiteral("--force")))
        return true;
    bool free = true;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        if (!info.exists() && !info.isSymLink())
            continue;
        err.line(QLatin1String(Program) + QStringLiteral(": ") + shownPath(path) +
                 QStringLiteral(": файл уже есть; ничего не записано (--force заменяет его)"));
        free = false;
    }
    return free;
}

bool CliContext::writeFile(const QString &path, const QByteArray &bytes)
{
    QString reason;
    if (saveFile(path, bytes, reason))
        return true;
    m_failed = true;
    err.line(QLatin1String(Program) + QStringLiteral(": не удалось записать файл ") + shownPath(path) +
             QStringLiteral(": ") + reason);
    return false;
}

bool CliContext::writeFiles(FileSetWriter &files)
{
    if (files.commit())
        return true;
    m_failed = true;
    QString message = files.errorString();
    // One line, begun in lower case as every other message here.
    message.replace(QStringLiteral("\r\n\r\n"), QStringLiteral(" ")).replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    if (!message.isEmpty())
        message[0] = message[0].toLower();
    err.line(QLatin1String(Program) + QStringLiteral(": ") + message);
    return false;
}

QStringList CliContext::touchedFolders() const
{
    QStringList folders;
    for (const QString &path : args.positional) {
        const QFileInfo info(path);
        if (info.exists())
            folders << (info.isDir() ? info.absoluteFilePath() : info.absolutePath());
    }
    if (const QString output = args.value(QStringLiteral("--output")); !output.isEmpty())
        folders << QFileInfo(output).absolutePath();
    folders.removeDuplicates();
    return folders;
}

bool CliContext::finishInterruptedWrites(const QStringList &folders, Console &report)
{
    if (folders.isEmpty())
        return true;
    const InterruptedSets sets = finishInterruptedSets(folders);
    const auto oneLine = [](QString text) { return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); };
    for (const QString &note : sets.notes)
        report.line(QLatin1String(Program) + QStringLiteral(": ") + oneLine(note));
    for (const QString &failure : sets.failures)
        err.line(QLatin1String(Program) + QStringLiteral(": ") + oneLine(failure));
    m_failed = m_failed || !sets.failures.isEmpty();
    return sets.failures.isEmpty();
}

QString vestaDropRefusal(const QString &path)
{
    return QLatin1String(CliContext::Program) + QStringLiteral(": ") + shownPath(path) +
           QStringLiteral(": запись 49 не пуста, а в формате vesta для неё нет места; ничего не записано "
                          "(--force записывает без неё)");
}
