#include "session/AppConfig.h"

#include "common/IniFile.h"
#include "session/ShippedFiles.h"

#include <QDir>
#include <QFileInfo>

namespace
{

const QString Section = QStringLiteral("Config");

QString existingFolderOr(const QString &folder, const QString &fallback)
{
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : fallback;
}

} // namespace

QString AppConfig::iniPath() const
{
    return QDir(startFolder).filePath(QStringLiteral("scrivlet.ini"));
}

QString AppConfig::standardDataDir() const
{
    return QDir(startFolder).filePath(QStringLiteral("Data"));
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
    ini.load(config.iniPath());
    config.WorkDir = existingFolderOr(ini.value(Section, QStringLiteral("WorkDir")), startFolder);
    config.DataDir =
        existingFolderOr(ini.value(Section, QStringLiteral("DataDir")), config.standardDataDir());
    config.EdtEditor = ini.value(Section, QStringLiteral("EdtEditor"));
    const int width = ini.intValue(Section, QStringLiteral("FormWidth"), 0);
    config.FormWidth = width < MinFormWidth ? DefaultFormWidth : width;
    config.AlertShow = static_cast<quint8>(ini.intValue(Section, QStringLiteral("AlertShow"), 0) & 0xFF);
    return config;
}

bool AppConfig::IniWrite(QString *error) const
{
    IniFile ini;
    ini.load(iniPath());
    ini.setValue(Section, QStringLiteral("WorkDir"), WorkDir);
    ini.setValue(Section, QStringLiteral("DataDir"), DataDir);
    if (!EdtEditor.isEmpty())
        ini.setValue(Section, QStringLiteral("EdtEditor"), EdtEditor);
    ini.setValue(Section, QStringLiteral("FormWidth"), QString::number(FormWidth));
    ini.setValue(Section, QStringLiteral("AlertShow"), QString::number(AlertShow));
    return ini.save(iniPath(), error);
}
