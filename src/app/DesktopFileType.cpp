#include "app/DesktopFileType.h"

#include "common/FileMessages.h"
#include "common/SaveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <filesystem>
#include <system_error>

// Kept in a static library, whose linker would drop the files unasked.
static void initDesktopResources()
{
    Q_INIT_RESOURCE(desktop);
}

namespace DesktopFileType
{

namespace
{

// Empty on success, else the message naming the file and the system's reason.
QString writeFile(const QString &path, const QByteArray &bytes)
{
    std::error_code error;
    std::filesystem::create_directories(
        std::filesystem::path(QFileInfo(path).absolutePath().toStdU16String()), error);
    if (error)
        return writeFailureText(path, QString::fromLocal8Bit(error.message()));
    QString reason;
    if (!saveFile(path, bytes, reason))
        return writeFailureText(path, reason);
    return {};
}

// Escapes of a desktop entry's string values, applied after the Exec quoting.
QString escapeStringValue(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\':
            out += QStringLiteral("\\\\");
            break;
        case '\n':
            out += QStringLiteral("\\n");
            break;
        case '\t':
            out += QStringLiteral("\\t");
            break;
        case '\r':
            out += QStringLiteral("\\r");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QByteArray resource(const QString &name)
{
    initDesktopResources();
    QFile file(QStringLiteral(":/desktop/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void startToolDetached(const QString &tool, const QStringList &arguments)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return;
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.startDetached();
}

QString dataHome()
{
    const QString configured = qEnvironmentVariable("XDG_DATA_HOME");
    if (!configured.isEmpty() && QDir::isAbsolutePath(configured))
        return configured;
    return QDir::homePath() + QStringLiteral("/.local/share");
}

QStringList systemDataDirs()
{
    QStringList dirs;
    const QStringList configured = qEnvironmentVariable("XDG_DATA_DIRS").split(QLatin1Char(':'));
    for (const QString &dir : configured) {
        if (QDir::isAbsolutePath(dir))
            dirs << dir;
    }
    if (dirs.isEmpty())
        dirs << QStringLiteral("/usr/local/share") << QStringLiteral("/usr/share");
    return dirs;
}

Installation installationOf(const QString &program)
{
    const QString prefix = QFileInfo(program).absolutePath() + QStringLiteral("/..");
    return QFileInfo::exists(desktopEntryPath(QDir::cleanPath(prefix + QStringLiteral("/share"))))
               ? Installation::Installed
               : Installation::Build;
}

QString desktopEntryPath(const QString &dataDir, Installation installation)
{
    return dataDir + (installation == Installation::Installed ? QStringLiteral("/applications/scrivlet.desktop")
                                                              : QStringLiteral("/applications/scrivlet-build.desktop"));
}

QString mimePackagePath(const QString &dataDir)
{
    return dataDir + QStringLiteral("/mime/packages/scrivlet-npc.xml");
}

QString iconPath(const QString &dataDir)
{
    return dataDir + QStringLiteral("/icons/hicolor/scalable/apps/scrivlet.svg");
}

QString mimeType()
{
    return QStringLiteral("application/x-korvan-npc");
}

bool installedOnSystem(const QStringList &systemDataDirs)
{
    const auto anyHas = [&](QString (*path)(const QString &)) {
        for (const QString &dir : systemDataDirs) {
            if (QFileInfo::exists(path(dir)))
                return true;
        }
        return false;
    };
    return anyHas([](const QString &dir) { return desktopEntryPath(dir); }) && anyHas(mimePackagePath);
}

QString execArgument(const QString &program)
{
    static const QString reserved = QStringLiteral(" \t\n\r\"'\\><~|&;$*?#()`");
    bool quote = false;
    for (const QChar c : program)
        quote = quote || reserved.contains(c);
    QString argument;
    if (quote) {
        argument += QLatin1Char('"');
        for (const QChar c : program) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
                c == QLatin1Char('\\'))
                argument += QLatin1Char('\\');
            argument += c;
        }
        argument += QLatin1Char('"');
    } else {
        argument = program;
    }
    argument.replace(QStringLiteral("%"), QStringLiteral("%%"));
    return escapeStringValue(argument);
}

QByteArray mimePackage()
{
    return resource(QStringLiteral("scrivlet-npc.xml"));
}

QByteArray icon()
{
    return resource(QStringLiteral("scrivlet.svg"));
}

QByteArray desktopEntry(const QString &program, Installation installation)
{
    QList<QByteArray> lines = resource(QStringLiteral("scrivlet.desktop")).split('\n');
    for (QByteArray &line : lines) {
        if (line.startsWith("Exec="))
            line = "Exec=" + execArgument(program).toUtf8() + " %f";
        else if (installation == Installation::Build && line.startsWith("Name="))
            line += " (build)";
        else if (installation == Installation::Build && line.startsWith("Name[ru]="))
            line += QStringLiteral(" (сборка)").toUtf8();
    }
    return lines.join('\n');
}

QString programOfEntry(const QByteArray &entry)
{
    for (const QByteArray &line : entry.split('\n')) {
        if (!line.startsWith("Exec="))
            continue;
        // The key file's escapes first, then the Exec quoting, as execArgument applies them.
        const QString value = QString::fromUtf8(line.mid(5)).replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
        if (!value.startsWith(QLatin1Char('"')))
            return value.section(QLatin1Char(' '), 0, 0).replace(QStringLiteral("%%"), QStringLiteral("%"));
        QString program;
        for (qsizetype i = 1; i < value.size() && value.at(i) != QLatin1Char('"'); ++i) {
            if (value.at(i) == QLatin1Char('\\') && i + 1 < value.size())
                ++i;
            program += value.at(i);
        }
        return program.replace(QStringLiteral("%%"), QStringLiteral("%"));
    }
    return {};
}

namespace
{

bool sameProgram(const QString &a, const QString &b)
{
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    return a == b || (!canonicalA.isEmpty() && canonicalA == QFileInfo(b).canonicalFilePath());
}

// A user entry of the installed id that shadows the package with the wrong program.
QString removeShadowingEntry(const QString &dataHome, const QString &program, Installation installation,
                             const ToolStarter &startTool)
{
    const QString path = desktopEntryPath(dataHome);
    // Asked first: there is seldom one, and a failed open asks Qt's catalog for the error's
    // words, which nothing else at start needs read.
    if (!QFileInfo::exists(path))
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString named = programOfEntry(file.read(64 * 1024));
    file.close();
    // Only a build that is still there is known to be no installed program: an entry naming
    // a program that has moved away is the user's to keep.
    const bool shadows = installation == Installation::Installed
                             ? !sameProgram(named, program) && QFileInfo(named).isFile() &&
                                   installationOf(named) == Installation::Build
                             : sameProgram(named, program);
    if (!shadows)
        return {};
    if (!file.remove())
        return QStringLiteral("Не удалось удалить файл ") + QDir::toNativeSeparators(path) +
               QStringLiteral(":\r\n") + file.errorString();
    startTool(QStringLiteral("update-desktop-database"), {dataHome + QStringLiteral("/applications")});
    return {};
}

} // namespace

QString registerFileType(const QString &dataHome, const QStringList &systemDataDirs, const QString &program,
                         Installation installation, const ToolStarter &startTool)
{
    if (const QString failure = removeShadowingEntry(dataHome, program, installation, startTool);
        !failure.isEmpty())
        return failure;
    const QString entry = desktopEntryPath(dataHome, installation);
    if (installedOnSystem(systemDataDirs) || QFileInfo::exists(entry))
        return {};
    // The entry last: it marks the registration as done.
    const std::pair<QString, QByteArray> files[] = {
        {mimePackagePath(dataHome), mimePackage()},
        {iconPath(dataHome), icon()},
        {entry, desktopEntry(program, installation)},
    };
    for (const auto &[path, bytes] : files) {
        if (const QString failure = writeFile(path, bytes); !failure.isEmpty())
            return failure;
    }
    startTool(QStringLiteral("update-mime-database"), {dataHome + QStringLiteral("/mime")});
    startTool(QStringLiteral("update-desktop-database"), {dataHome + QStringLiteral("/applications")});
    return {};
}

} // namespace DesktopFileType
