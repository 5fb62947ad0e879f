#include "gui/dialogue/DialogueCommands.h"

#include "gui/widgets/Prompts.h"
#include "dialogue/EdtPath.h"
#include "gui/dialogue/TForm3.h"
#include "session/ScriptSession.h"

#include <QDir>
#include <QProcess>
#include <QStatusBar>

DialogueCommands::DialogueCommands(const CommandContext &context, OnDemand<TForm3> &viewer)
    : QObject(&context.window), m_context(context), m_session(context.session), m_viewer(viewer)
{
    m_context.onTriggered("OpenEdt", this, &DialogueCommands::OpenEdtExecute);
    m_context.onTriggered("ExportEdt", this, &DialogueCommands::ExportEdtExecute);
    m_context.onTriggered("ReloadTxt", this, &DialogueCommands::ReloadTxtExecute);
    m_context.onTriggered("ShowEdt", this, &DialogueCommands::ShowEdtExecute);
    m_context.onTriggered("RunEdt", this, &DialogueCommands::RunEdtExecute);
}

void DialogueCommands::OpenEdtExecute()
{
    FileDialogOptions options;
    options.title = QStringLiteral("Открыть EDT-файл");
    options.filter = QStringLiteral("EDT-файлы|*.edt|Все файлы|*.*");
    options.defaultSuffix = QStringLiteral("edt");
    options.directory = m_session.settings().config().WorkDir;
    const QString path = m_context.prompts.openFile(&m_context.window, options);
    if (!path.isEmpty() && mayReplaceText())
        m_context.report(m_session.dialogue().import(path));
}

void DialogueCommands::ExportEdtExecute()
{
    const QString edtPath = m_session.dialogue().path();
    FileDialogOptions options;
    options.title = QStringLiteral("Экспорт EDT в TXT");
    options.filter = QStringLiteral("TXT-файлы|*.txt|Все файлы|*.*");
    options.defaultSuffix = QStringLiteral("txt");
    options.directory = m_session.settings().config().WorkDir;
    if (!edtPath.isEmpty())
        options.fileName = withExtension(edtPath, QStringLiteral(".txt"));
    const QString path = m_context.prompts.saveFile(&m_context.window, options);
    if (!path.isEmpty() && m_context.prompts.mayOverwrite(&m_context.window, path))
        m_context.report(m_session.dialogue().exportTo(path));
}

void DialogueCommands::ReloadTxtExecute()
{
    if (mayReplaceText())
        m_context.report(m_session.dialogue().reload());
}

void DialogueCommands::loadDroppedFile(const QString &path)
{
    if (mayReplaceText())
        m_context.report(m_session.dialogue().load(path));
}

bool DialogueCommands::mayReplaceText()
{
    if (!m_session.hasUnsavedText())
        return true;
    QString file = m_session.dialogue().path();
    if (file.isEmpty() && m_session.hasPath())
        file = withExtension(m_session.document().path, QStringLiteral(".edt"));
    const QString named = file.isEmpty() ? QStringLiteral("нового EDT-файла")
                                         : QStringLiteral("EDT-файла ") + QDir::toNativeSeparators(file);
    const QMessageBox::StandardButton answer = m_context.prompts.message(
        &m_context.window, PromptKind::Confirmation,
        QStringLiteral("Фразы %1 изменены и не сохранены.\r\nСохранить изменения?").arg(named),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer == QMessageBox::Yes) {
        // Saved as Save saves, questions and all; a save that did not happen stops here.
        m_context.action("Save")->trigger();
        return !m_session.hasUnsavedText();
    }
    return true;
}

void DialogueCommands::ShowEdtExecute()
{
    if (TForm3 *viewer = m_viewer.get())
        viewer->showInFront();
}

void DialogueCommands::RunEdtExecute()
{
    QString program;
    if (!m_context.report(m_session.settings().editorToStart(program)))
        return;
    // Started by its full path, without a shell; whether it starts is not our concern. The
    // first start of a run says which program it is, as the settings file may not be ours.
    QProcess::startDetached(program, {});
    if (m_editorStarted)
        return;
    m_editorStarted = true;
    if (auto *status = m_context.window.findChild<QStatusBar *>())
        status->showMessage(QStringLiteral("Запущен EDT-редактор ") + QDir::toNativeSeparators(program), 15000);
}
