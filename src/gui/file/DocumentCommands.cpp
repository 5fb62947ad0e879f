#include "gui/file/DocumentCommands.h"

#include "dialogue/EdtPath.h"
#include "editor/ScriptLinks.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace
{

const QString Unsaved = QStringLiteral("Текущие данные не сохранены.\r\n");
const QString OpenQuestion = QStringLiteral("Вы уверены, что хотите открыть новый скрипт?");

} // namespace

DocumentCommands::DocumentCommands(const CommandContext &context)
    : QObject(&context.window), m_context(context), m_session(context.session)
{
    m_context.onTriggered("New", this, &DocumentCommands::NewExecute);
    m_context.onTriggered("Open", this, &DocumentCommands::OpenExecute);
    m_context.onTriggered("Save", this, &DocumentCommands::SaveExecute);
    m_context.onTriggered("SaveAs", this, &DocumentCommands::SaveAsExecute);
    m_context.onTriggered("F_Vesta", this, &DocumentCommands::F_VestaExecute);
    m_context.onTriggered("F_Standart", this, &DocumentCommands::F_StandartExecute);
    m_context.onTriggered("FollowLink", this, &DocumentCommands::FollowLinkExecute);
    m_context.onTriggered("GoBack", this, &DocumentCommands::GoBackExecute);
}

FileDialogOptions DocumentCommands::npcDialog(const QString &title) const
{
    FileDialogOptions options;
    options.title = title;
    options.filter = QStringLiteral("NPC-файлы|*.npc|Все файлы|*.*");
    options.defaultSuffix = QStringLiteral("npc");
    options.directory = m_session.settings().config().WorkDir;
    return options;
}

bool DocumentCommands::mayDiscardChanges(const QString &question, QMessageBox::StandardButtons buttons)
{
    return !m_session.hasUnsavedChanges() ||
           m_context.prompts.confirm(&m_context.window, Unsaved + question, buttons);
}

void DocumentCommands::NewExecute()
{
    if (!mayDiscardChanges(QStringLiteral("Вы уверены, что хотите начать редактирование нового скрипта?"),
                           QMessageBox::Yes | QMessageBox::Cancel))
        return;
    m_session.newScript();
}

void DocumentCommands::OpenExecute()
{
    if (!mayDiscardChanges(OpenQuestion, QMessageBox::Yes | QMessageBox::No))
        return;
    const QString path =
        m_context.prompts.openFile(&m_context.window, npcDialog(QStringLiteral("Открыть NPC-скрипт")));
    if (!path.isEmpty())
        openScript(path, {.setWorkDir = true});
}

void DocumentCommands::FilesDropped(const QString &path)
{
    if (path.endsWith(QStringLiteral(".npc"), Qt::CaseInsensitive)) {
        if (mayDiscardChanges(OpenQuestion, QMessageBox::Yes | QMessageBox::No))
            openScript(path, {.setWorkDir = false});
    } else if (isDialoguePath(path)) {
        emit dialogueFileDropped(path);
    }
}

void DocumentCommands::readListsIfUnread()
{
    m_context.report(m_session.loadListsIfUnread());
}

void DocumentCommands::openNamedFile(const QString &path)
{
    readListsIfUnread();
    // Work recovered at start-up is not dropped for the file named.
    if (!mayDiscardChanges(OpenQuestion, QMessageBox::Yes | QMessageBox::No))
        return;
    if (!isDialoguePath(path)) {
        openScript(path, {.setWorkDir = true});
        return;
    }
    const QString script = scriptBeside(path);
    if (!script.isEmpty() && m_context.report(m_session.openScript(script, {.setWorkDir = true}))) {
        // The script brings its own text, unless that is another file or unreadable.
        if (m_session.dialogue().path() != path)
            m_context.report(m_session.dialogue().load(path));
        return;
    }
    if (m_context.report(m_session.dialogue().load(path)))
        emit dialogueViewWanted();
}

bool DocumentCommands::openScript(const QString &path, ScriptSession::OpenOptions options)
{
    if (const auto holder = ScriptDisk::lockedByOther(path)) {
        if (!m_context.prompts.confirm(&m_context.window,
                                       ScriptDisk::lockedText(*holder) +
                                           QStringLiteral("\r\nОткрыть его только для чтения?"),
                                       QMessageBox::Yes | QMessageBox::No))
            return false;
        options.readOnly = true;
    }
    const OpenResult opened = m_session.openScript(path, options);
    if (!opened.interruptedWrite.isEmpty())
        m_context.prompts.message(&m_context.window,
                                  opened.interruptedWriteFailed ? PromptKind::Error : PromptKind::Information,
                                  opened.interruptedWrite, QMessageBox::Ok);
    if (!m_context.report(opened))
        return false;
    if (!opened.dialogueError.isEmpty()) {
        m_context.prompts.error(&m_context.window, opened.dialogueError);
    } else if (opened.dialogueMissing &&
               m_context.prompts.confirm(
                   &m_context.window,
                   QStringLiteral("EDT-файл, ассоциированный с загружаемым скриптом, не "
                                  "найден.\r\nЖелаете загрузить другой EDT-файл?"),
                   QMessageBox::Yes | QMessageBox::No)) {
        // Another file means the import dialog, which starts in the working folder.
        emit dialogueFileWanted();
        if (!m_session.dialogue().isLoaded())
            m_session.dialogue().clear();
    }
    return true;
}

bool DocumentCommands::openScriptAt(const QString &path, int record)
{
    const QString open = m_session.document().path;
    const bool isOpen =
        !open.isEmpty() && QFileInfo(open).canonicalFilePath() == QFileInfo(path).canonicalFilePath();
    if (!isOpen && (!mayDiscardChanges(OpenQuestion, QMessageBox::Yes | QMessageBox::No) ||
                    !openScript(path, {.setWorkDir = false})))
        return false;
    m_session.selectRecord(record);
    return true;
}

void DocumentCommands::openRecentFile(const QString &path)
{
    if (!QFileInfo(path).isFile()) {
        m_context.prompts.message(&m_context.window, PromptKind::Information,
                                  QStringLiteral("Файл ") + QDir::toNativeSeparators(path) +
                                      QStringLiteral(" не найден.\r\nОн убран из списка последних файлов."),
                                  QMessageBox::Ok);
        m_session.settings().forgetRecentFile(path);
        return;
    }
    if (mayDiscardChanges(OpenQuestion, QMessageBox::Yes | QMessageBox::No))
        openScript(path, {.setWorkDir = true});
}

void DocumentCommands::FollowLinkExecute()
{
    if (const std::optional<LinkNavigation::LinkTarget> link = m_session.linkToFollow())
        followLink(*link);
}

void DocumentCommands::followLink(const LinkNavigation::LinkTarget &link)
{
    const LinkNavigation::Place from{m_session.document().path, m_session.CurRec()};
    if (link.local) {
        if (link.record >= RecordCount)
            return;
        m_session.links().rememberPlace(from);
        m_session.selectRecord(link.record);
        return;
    }
    if (link.path.isEmpty()) {
        const QString folder = m_session.links().folderPath();
        m_context.prompts.message(
            &m_context.window, PromptKind::Information,
            folder.isEmpty()
                ? QStringLiteral(
                      "Скрипт персонажа %1 не найден: у нового скрипта нет папки, в которой его искать.")
                      .arg(link.npc)
                : QStringLiteral("Скрипт персонажа %1 не найден в папке %2.")
                      .arg(link.npc)
                      .arg(QDir::toNativeSeparators(folder)),
            QMessageBox::Ok);
        return;
    }
    if (openScriptAt(link.path, std::min(int(link.record), RecordCount - 1)))
        m_session.links().rememberPlace(from);
}

void DocumentCommands::GoBackExecute()
{
    LinkNavigation &links = m_session.links();
    const std::optional<LinkNavigation::Place> place = links.lastPlace();
    if (!place)
        return;
    if (place->path != m_session.document().path) {
        // A script that had no file cannot be opened again.
        if (place->path.isEmpty())
            links.forgetLastPlace();
        if (place->path.isEmpty() || !openScriptAt(place->path, place->record))
            return;
    }
    m_session.selectRecord(place->record);
    links.forgetLastPlace();
}

bool DocumentCommands::mayDropLastRecord()
{
    return !m_session.saveDropsLastRecord() ||
           m_context.prompts.message(&m_context.window, PromptKind::Warning,
                                     QStringLiteral("Запись 49 не помещается в вестинский формат и не будет "
                                                    "сохранена.\r\nСохранить без неё?"),
                                     QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void DocumentCommands::SaveExecute()
{
    if (!m_session.hasPath()) {
        SaveAsExecute();
        return;
    }
    if (!mayWriteOver(m_session.document().path) || !mayDropLastRecord())
        return;
    const QString changes = m_session.otherScriptChanges();
    if (changes.isEmpty()) {
        m_context.report(m_session.save());
        return;
    }
    const auto answer = m_context.prompts.message(
        &m_context.window, PromptKind::Confirmation,
        changes + QStringLiteral("\r\n\r\nИсправить ссылки в других скриптах и сохранить их вместе с этим?"),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes)
        m_context.report(m_session.save(ScriptSession::OtherScripts::Fix));
    else if (answer == QMessageBox::No)
        m_context.report(m_session.save());
}

void DocumentCommands::SaveAsExecute()
{
    FileDialogOptions options = npcDialog(QStringLiteral("Сохранить NPC-скрипт"));
    options.fileName = m_session.document().path; // proposed, in its own folder
    const QString path = m_context.prompts.saveFile(&m_context.window, options);
    if (path.isEmpty() || !m_context.prompts.mayOverwrite(&m_context.window, path) || !mayWriteOver(path))
        return;
    if (const std::optional<qint64> number = unlinkableNpcNumber(path);
        number &&
        m_context.prompts.message(&m_context.window, PromptKind::Confirmation,
                                  QStringLiteral("номер %1 не помещается в поле NPC No (0–254): ссылки на "
                                                 "этот скрипт невозможны. Сохранить?")
                                      .arg(*number),
                                  QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    // The text goes beside the new script: a dialogue file there is replaced too.
    if (const QString edt = m_session.dialogueFileToReplace(path);
        !edt.isEmpty() && !m_context.prompts.mayOverwrite(&m_context.window, edt))
        return;
    if (!mayDropLastRecord())
        return;
    m_context.report(m_session.saveAs(path));
}

void DocumentCommands::F_VestaExecute()
{
    m_session.setLayout(NpcLayout::VestaLayout);
}

void DocumentCommands::F_StandartExecute()
{
    m_session.setLayout(NpcLayout::StandardLayout);
}

void DocumentCommands::Check_VestaClick(bool checked)
{
    if (checked)
        F_VestaExecute();
    else
        F_StandartExecute();
}

bool DocumentCommands::mayWriteOver(const QString &scriptPath)
{
    for (const QString &path : m_session.changedBehindBack(scriptPath)) {
        if (!m_context.prompts.confirm(&m_context.window,
                                       QStringLiteral("Файл %1 изменён другой программой после того, как был "
                                                      "прочитан.\r\nЗаписать поверх него?")
                                           .arg(QDir::toNativeSeparators(path)),
                                       QMessageBox::Yes | QMessageBox::No))
            return false;
    }
    return true;
}

void DocumentCommands::offerRecovery()
{
    const RecoveryKeeper::Found found = RecoveryKeeper::findLeftBehind();
    for (const QString &file : found.unreadable)
        m_context.prompts.warning(&m_context.window,
                                  QStringLiteral("Файл восстановления %1 не удалось прочитать. Он оставлен на "
                                                 "месте и больше предлагаться не будет.")
                                      .arg(QDir::toNativeSeparators(file)));
    for (const RecoveryKeeper::Offer &offer : found.offers) {
        const RecoveryState &state = offer.state;
        const QString when = QLocale().toString(state.written.toLocalTime(), QStringLiteral("dd.MM.yyyy HH:mm:ss"));
        const QString what = state.scriptPath.isEmpty()
                                 ? QStringLiteral("Найдены несохранённые изменения нового скрипта от %1.").arg(when)
                                 : QStringLiteral("Найдены несохранённые изменения скрипта %1 от %2.")
                                       .arg(QDir::toNativeSeparators(state.scriptPath), when);
        const QMessageBox::StandardButton answer =
            m_context.prompts.message(&m_context.window, PromptKind::Confirmation,
                                      what + QStringLiteral("\r\nВосстановить их?"),
                                      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::No) {
            RecoveryKeeper::discard(offer.file);
        } else if (answer == QMessageBox::Yes) {
            readListsIfUnread();
            const OpenResult recovered = m_session.recover(offer);
            if (!recovered.dialogueError.isEmpty())
                m_context.prompts.error(&m_context.window, recovered.dialogueError);
            // One script is open at a time: the rest wait for the next start.
            return;
        }
    }
}
