#include "session/AppSettings.h"

#include <QDir>
#include <QFileInfo>

namespace
{

bool isProgram(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

} // namespace

AppSettings::AppSettings(const QString &startFolder, QObject *parent)
    : QObject(parent), m_config(AppConfig::IniRead(startFolder)), m_runEditorAllowed(isProgram(m_config.EdtEditor))
{
}

ListFolders AppSettings::listFolders() const
{
    return ListFolders::of(m_config.DataDir, m_config.startFolder, m_config.shippedDataDir);
}

SessionResult AppSettings::editorToStart(QString &program) const
{
    const QString &path = m_config.EdtEditor;
    if (QDir::isRelativePath(path))
        return SessionResult::failure(
            QStringLiteral("EDT-редактор не запущен: в настройках указан неполный путь к нему\r\n«%1».\r\n"
                           "Выберите программу заново в окне настроек.")
                .arg(QDir::toNativeSeparators(path)));
    program = QDir::cleanPath(path);
    return {};
}

void AppSettings::setExternalEditor(const QString &path)
{
    m_config.EdtEditor = path;
    m_runEditorAllowed = m_runEditorAllowed || isProgram(path);
    emit changed();
}

void AppSettings::setDataDir(const QString &folder)
{
    m_config.DataDir = folder;
}

void AppSettings::setWarningsOff(bool off)
{
    m_config.AlertShow = off ? 1 : 0;
}

void AppSettings::setWorkDir(const QString &folder)
{
    m_config.WorkDir = folder;
}

void AppSettings::addRecentFile(const QString &path)
{
    m_config.addRecentFile(path);
    emit changed();
}

void AppSettings::forgetRecentFile(const QString &path)
{
    m_config.removeRecentFile(path);
    emit changed();
}

SessionResult AppSettings::save()
{
    if (m_config.IniWrite())
        return {};
    return SessionResult::failure(QStringLiteral("Не удалось записать файл настроек ") + m_config.iniPath() +
                                  QStringLiteral(":\r\n") + m_config.errorString());
}
