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

QString desktopEntryPath(const QString &dataDir)
{
    return dataDir + QStringLiteral("/applications/scrivlet.desktop");
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
    return anyHas(desktopEntryPath) && anyHas(mimePackagePath);
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

QByteArray desktopEntry(const QString &program)
{
    QList<QByteArray> lines = resource(QStringLiteral("scrivlet.desktop")).split('\n');
    for (QByteArray &line : lines) {
        if (line.startsWith("Exec="))
            line = "Exec=" + execArgument(program).toUtf8() + " %f";
    }
    return lines.join('\n');
}

QString registerFileType(const QString &dataHome, const QStringList &systemDataDirs, const QString &program,
                         const ToolStarter &startTool)
{
    const QString entry = desktopEntryPath(dataHome);
    if (installedOnSystem(systemDataDirs) || QFileInfo::exists(entry))
        return {};
    // The entry last: it marks the registration as done.
    const std::pair<QString, QByteArray> files[] = {
        {mimePackagePath(dataHome), mimePackage()},
        {iconPath(dataHome), icon()},
        {entry, desktopEntry(program)},
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
