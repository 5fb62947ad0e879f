#include "app/AppCommands.h"

#include "app/TForm2.h"
#include "app/TForm4.h"
#include "gui/folder/FindUsagesDialog.h"
#include "gui/folder/ProblemsWindow.h"
#include "gui/folder/RenumberDialog.h"
#include "gui/folder/ReplaceDialog.h"
#include "gui/map/View_Map.h"
#include "session/ScriptSession.h"

#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

AppCommands::AppCommands(const CommandContext &context, const Windows &windows)
    : QObject(&context.window), m_context(context), m_windows(windows)
{
    m_context.onTriggered("Quit", this, &AppCommands::QuitExecute);
    m_context.onTriggered("Help", this, &AppCommands::HelpExecute);
    m_context.onTriggered("About", this, &AppCommands::AboutExecute);
    m_context.onTriggered("Config", this, &AppCommands::ConfigExecute);
    m_context.onTriggered("Undo", this, &AppCommands::UndoExecute);
    m_context.onTriggered("Redo", this, &AppCommands::RedoExecute);
    m_context.onTriggered("CheckScript", this, &AppCommands::CheckScriptExecute);
    m_context.onTriggered("FindUsages", this, &AppCommands::FindUsagesExecute);
    m_context.onTriggered("ShowMap", this, &AppCommands::ShowMapExecute);
    m_context.onTriggered("Renumber", this, &AppCommands::RenumberExecute);
    m_context.onTriggered("ReplaceText", this, &AppCommands::ReplaceTextExecute);
}

void AppCommands::QuitExecute()
{
    m_context.window.close();
}

void AppCommands::HelpExecute()
{
    showManual(m_context.session.settings().config(), m_context.prompts, &m_context.window);
}

void AppCommands::AboutExecute()
{
    if (m_windows.about)
        m_windows.about->get()->exec();
}

void AppCommands::ConfigExecute()
{
    if (m_windows.config)
        m_windows.config->get()->exec();
}

void AppCommands::UndoExecute()
{
    m_context.session.undo();
}

void AppCommands::RedoExecute()
{
    m_context.session.redo();
}

void AppCommands::ShowMapExecute()
{
    if (m_windows.map)
        m_windows.map->get()->ShowMapExecute();
}

void AppCommands::CheckScriptExecute()
{
    if (m_windows.problems)
        m_windows.problems->get()->CheckScriptExecute();
}

void AppCommands::FindUsagesExecute()
{
    if (m_windows.findUsages)
        m_windows.findUsages->get()->FindUsagesExecute();
}

void AppCommands::RenumberExecute()
{
    if (m_windows.renumber)
        m_windows.renumber->get()->RenumberExecute();
}

void AppCommands::ReplaceTextExecute()
{
    if (m_windows.replace)
        m_windows.replace->get()->ReplaceTextExecute();
}

void showManual(const AppConfig &config, Prompts &prompts, QWidget *parent)
{
    const QString path = config.helpPath();
    const QString shown = QDir::toNativeSeparators(path);
    if (!QFileInfo(path).isFile())
        prompts.warning(parent, QStringLiteral("Файл справки ") + shown + QStringLiteral(" не найден."));
    else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        prompts.warning(parent,
                        QStringLiteral("Не удалось открыть справку: нет программы, которая показывает "
                                       "такие файлы.\r\nСправка находится в файле ") +
                            shown + QLatin1Char('.'));
}
