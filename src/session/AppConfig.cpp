#include "session/AppConfig.h"

#include "common/FileNameBytes.h"
#include "common/IniFile.h"
#include "editor/ListFolders.h"
#include "session/ShippedFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace
{

constexpr QByteArrayView Section = "Config";

QString existingFolderOr(const QString &folder, const QString &fallback)
{
    // A NUL cannot stand in a file name; Qt would warn of it on every look.
    const bool usable = !folder.isEmpty() && !folder.contains(QChar(u'\0'));
    return usable && QFileInfo(folder).isDir() ? folder : fallback;
}

std::optional<int> optionalInt(const IniFile &ini, QByteArrayView key)
{
    if (!ini.contains(Section, key))
        return std::nullopt;
    bool ok = false;
    const int value = ini.value(Section, key).trimmed().toInt(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

// A path with a line break in it cannot stand in a settings line.
bool fitsOnALine(const QString &path)
{
    return !path.contains(QLatin1Char('\r')) && !path.contains(QLatin1Char('\n'));
}

QByteArray recentKey(int index)
{
    return "RecentFile" + QByteArray::number(index + 1);
}

} // namespace

void AppConfig::addRecentFile(const QString &path)
{
    removeRecentFile(path);
    RecentFiles.prepend(path);
    while (RecentFiles.size() > RecentFileCount)
        RecentFiles.removeLast();
}

void AppConfig::removeRecentFile(const QString &path)
{
    RecentFiles.removeAll(path);
}

QString AppConfig::iniPath() const
{
    return QDir(startFolder).filePath(QStringLiteral("scrivlet.ini"));
}

QString AppConfig::standardDataDir() const
{
    return ListFolders::standardFolderOf(startFolder);
}

QString AppConfig::macroPath() const
{
    return QDir(standardDataDir()).filePath(QStringLiteral("macros.mcr"));
}

QString AppConfig::helpPath() const
{
    const QString chm = QDir(startFolder).filePath(QStringLiteral("scrivlet10.chm"));
    if (QFileInfo(chm).isFile())
        return chm;
    const QString manual = ShippedFiles::manualPath();
    return manual.isEmpty() ? chm : manual;
}

AppConfig AppConfig::IniRead(const QString &startFolder)
{
    AppConfig config;
    config.startFolder = startFolder;
    config.shippedDataDir = ShippedFiles::dataDir();
    IniFile ini;
    // None at a first start: not opened then, since a failed open asks Qt's catalog for the
    // error's words, and nothing else at start needs it read.
    if (QFileInfo::exists(config.iniPath()))
        ini.load(config.iniPath());
    // The numbers are plain ASCII.
    const auto path = [&](QByteArrayView key) { return FileNameBytes::to(ini.value(Section, key)); };
    config.WorkDir = existingFolderOr(path("WorkDir"), startFolder);
    config.DataDir = existingFolderOr(path("DataDir"), config.standardDataDir());
    config.EdtEditor = path("EdtEditor");
    const int width = ini.intValue(Section, "FormWidth", 0);
    config.FormWidth = width < MinFormWidth ? DefaultFormWidth : width;
    config.AlertShow = static_cast<quint8>(ini.intValue(Section, "AlertShow", 0) & 0xFF);
    config.SpellCheck = ini.intValue(Section, "SpellCheck", 1) != 0;
    if (const QByteArray lang = ini.value(Section, "SpellLang"); !lang.isEmpty())
        config.SpellLang = QString::fromLatin1(lang);
    config.FormLeft = optionalInt(ini, "FormLeft");
    config.FormTop = optionalInt(ini, "FormTop");
    config.FormHeight = optionalInt(ini, "FormHeight");
    config.FormMaximized = ini.intValue(Section, "FormMaximized", 0) != 0;
    config.SplitterPos = optionalInt(ini, "SplitterPos");
    for (int i = 0; i < RecentFileCount; ++i) {
        const QString file = path(recentKey(i));
        if (!file.isEmpty() && fitsOnALine(file) && !config.RecentFiles.contains(file))
            config.RecentFiles << file;
    }
    return config;
}

bool AppConfig::IniWrite() const
{
    IniFile ini;
    m_error.clear();
    // Writing over a settings file that could not be read would lose all its other lines.
    if (!ini.load(iniPath()) && QFileInfo::exists(iniPath())) {
        m_error = ini.errorString();
        return false;
    }
    ini.setValue(Section, "WorkDir", FileNameBytes::from(WorkDir));
    ini.setValue(Section, "DataDir", FileNameBytes::from(DataDir));
    if (!EdtEditor.isEmpty())
        ini.setValue(Section, "EdtEditor", FileNameBytes::from(EdtEditor));
    ini.setValue(Section, "FormWidth", QByteArray::number(FormWidth));
    ini.setValue(Section, "AlertShow", QByteArray::number(AlertShow));
    // Only once changed, so that files of earlier versions stay as they were.
    if (!SpellCheck || ini.intValue(Section, "SpellCheck", 1) == 0)
        ini.setValue(Section, "SpellCheck", SpellCheck ? "1" : "0");
    if (SpellLang != QLatin1String("ru_RU") || !ini.value(Section, "SpellLang").isEmpty())
        ini.setValue(Section, "SpellLang", SpellLang.toLatin1());
    const std::pair<QByteArrayView, std::optional<int>> place[] = {{"FormLeft", FormLeft},
                                                                   {"FormTop", FormTop},
                                                                   {"FormHeight", FormHeight},
                                                                   {"SplitterPos", SplitterPos}};
    for (const auto &[key, value] : place) {
        if (value)
            ini.setValue(Section, key, QByteArray::number(*value));
    }
    ini.setValue(Section, "FormMaximized", FormMaximized ? "1" : "0");
    QStringList recent = RecentFiles;
    recent.removeIf([](const QString &file) { return !fitsOnALine(file); });
    for (int i = 0; i < RecentFileCount; ++i)
        ini.setValue(Section, recentKey(i), FileNameBytes::from(recent.value(i)));
    // Most runs change nothing here: the file is then left as it is, unwritten.
    if (ini.isUnchanged())
        return true;
    if (ini.save(iniPath()))
        return true;
    m_error = ini.errorString();
    return false;
}
