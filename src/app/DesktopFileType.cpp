#include "app/DesktopFileType.h"

#include "app/FileClassRegistry.h"
#include "common/FileMessages.h"
#include "common/SaveFile.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <filesystem>
#include <system_error>

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

QString desktopEntryPath(const QString &dataHome)
{
    return dataHome + QStringLiteral("/applications/scrivlet.desktop");
}

QString mimePackagePath(const QString &dataHome, const QString &extension)
{
    return dataHome + QStringLiteral("/mime/packages/scrivlet-") + extension + QStringLiteral(".xml");
}

QString mimeType(const QString &extension)
{
    return QStringLiteral("application/x-korvan-") + extension;
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

QByteArray mimePackage(const QString &extension)
{
    const QString text =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                       "  <mime-type type=\"%1\">\n"
                       "    <comment>%2</comment>\n"
                       "    <glob pattern=\"*.%3\"/>\n"
                       "  </mime-type>\n"
                       "</mime-info>\n")
            .arg(mimeType(extension).toHtmlEscaped(), FileClass::Description, extension.toHtmlEscaped());
    return text.toUtf8();
}

QByteArray desktopEntry(const QString &extension, const QString &program)
{
    // No field code after the program: it reads no command line, as on Windows.
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Scrivlet\n"
                                        "Comment=Editor of NPC scripts for Korvan\n"
                                        "Comment[ru]=Редактор NPC-скриптов для Korvan\n"
                                        "Exec=%1\n"
                                        "Terminal=false\n"
                                        "MimeType=%2;\n"
                                        "Categories=Development;\n")
                             .arg(execArgument(program), escapeStringValue(mimeType(extension)));
    return text.toUtf8();
}

QString registerFileType(const QString &dataHome, const QString &extension, const QString &program,
                         const ToolStarter &startTool)
{
    const QString entry = desktopEntryPath(dataHome);
    if (QFileInfo::exists(entry))
        return {};
    // The entry last: it marks the registration as done.
    const QString failure = writeFile(mimePackagePath(dataHome, extension), mimePackage(extension));
    if (!failure.isEmpty())
        return failure;
    if (const QString entryFailure = writeFile(entry, desktopEntry(extension, program));
        !entryFailure.isEmpty())
        return entryFailure;
    startTool(QStringLiteral("update-mime-database"), {dataHome + QStringLiteral("/mime")});
    startTool(QStringLiteral("update-desktop-database"), {dataHome + QStringLiteral("/applications")});
    return {};
}

} // namespace DesktopFileType
