#include "dialogue/ui/DialogueCommands.h"

#include "common/FileMessages.h"
#include "common/ui/Prompts.h"
#include "app/ui/TForm1.h"
#include "dialogue/EdtExport.h"
#include "dialogue/EdtPath.h"
#include "dialogue/EdtReader.h"
#include "dialogue/PhraseSelection.h"
#include "dialogue/ui/TForm3.h"
#include "editor/FieldRules.h"
#include "editor/ui/EditorPanel.h"

#include <QAction>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QProcess>

namespace
{

const char *const TextActions[] = {"ReloadTxt", "ShowEdt", "ExportEdt"};

} // namespace

DialogueCommands::DialogueCommands(TForm1 &window) : QObject(&window), m_window(window)
{
    m_window.onTriggered("OpenEdt", this, &DialogueCommands::OpenEdtExecute);
    m_window.onTriggered("ExportEdt", this, &DialogueCommands::ExportEdtExecute);
    m_window.onTriggered("ReloadTxt", this, &DialogueCommands::ReloadTxtExecute);
    m_window.onTriggered("ShowEdt", this, &DialogueCommands::ShowEdtExecute);
    m_window.onTriggered("RunEdt", this, &DialogueCommands::RunEdtExecute);
}

void DialogueCommands::attachDialogueFile()
{
    // After Open and after a drop alike, "another file" means the import dialog, which
    // starts in the working folder (after Open, the script's folder).
    QString &edtPath = m_window.document().EdtPath;
    edtPath = withExtension(m_window.document().path, QStringLiteral(".edt"));
    bool loaded = false;
    if (QFileInfo(edtPath).isFile()) {
        loaded = LoadEdt(edtPath);
    } else if (m_window.prompts().confirm(
                   &m_window,
                   QStringLiteral("EDT-файл, ассоциированный с загружаемым скриптом, не "
                                  "найден.\r\nЖелаете загрузить другой EDT-файл?"),
                   QMessageBox::Yes | QMessageBox::No)) {
        loaded = chooseAndLoadEdt();
    }
    // The text of the previous script must not stay with this one.
    if (!loaded) {
        clearDialogue();
        for (const char *name : TextActions)
            m_window.setActionEnabled(QLatin1String(name), false);
    }
}

void DialogueCommands::clearDialogue()
{
    m_window.document().EdtPath.clear();
    m_window.edtText().clear();
    m_window.editorPanel().phraseMemo()->clear();
}

bool DialogueCommands::LoadEdt(const QString &path)
{
    EdtReader reader;
    if (!reader.read(path)) {
        m_window.prompts().error(&m_window, readProblemText(path));
        return false;
    }
    m_window.edtText() = reader.takeText();
    ShowPhraseText();
    for (const char *name : TextActions)
        m_window.setActionEnabled(QLatin1String(name), true);
    return true;
}

void DialogueCommands::ShowPhraseText()
{
    const NpcRecord &record = m_window.currentRecord();
    const EdtText &text = m_window.edtText();
    const PhraseSelection selection = selectPhrases(record.Phrase, record.PhraseCnt, text.size());
    EditorPanel &panel = m_window.editorPanel();
    panel.phraseMemo()->setPlainText(phraseMemoText(text, selection));
    panel.setPhraseCntFrameRed(selection.countFrameRed);
    // The phrase frame depends on the text as well; after a load nothing else recolours it.
    panel.edit(NpcField::Phrase)->setRedFrame(FieldRules::phraseFrameRed(record.Phrase, text.size()));
}

bool DialogueCommands::chooseAndLoadEdt()
{
    FileDialogOptions options;
    options.title = QStringLiteral("Открыть EDT-файл");
    options.filter = QStringLiteral("EDT-файлы|*.edt|Все файлы|*.*");
    options.defaultSuffix = QStringLiteral("edt");
    options.directory = m_window.config().WorkDir;
    const QString path = m_window.prompts().openFile(&m_window, options);
    if (path.isEmpty())
        return false;
    m_window.document().EdtPath = path;
    m_window.edtText().clear();
    if (LoadEdt(path))
        return true;
    // The memo must not keep showing phrases of the text just dropped.
    ShowPhraseText();
    return false;
}

void DialogueCommands::OpenEdtExecute()
{
    chooseAndLoadEdt();
}

void DialogueCommands::ExportEdtExecute()
{
    const QString edtPath = m_window.document().EdtPath;
    FileDialogOptions options;
    options.title = QStringLiteral("Экспорт EDT в TXT");
    options.filter = QStringLiteral("TXT-файлы|*.txt|Все файлы|*.*");
    options.defaultSuffix = QStringLiteral("txt");
    options.directory = m_window.config().WorkDir;
    if (!edtPath.isEmpty())
        options.fileName = withExtension(edtPath, QStringLiteral(".txt"));
    const QString path = m_window.prompts().saveFile(&m_window, options);
    if (path.isEmpty())
        return;
    if (!m_window.prompts().mayOverwrite(&m_window, path))
        return;
    EdtTxtWriter writer;
    if (!writer.write(m_window.edtText(), path))
        m_window.prompts().error(&m_window, writeFailureText(path, writer.errorString()));
}

void DialogueCommands::ReloadTxtExecute()
{
    LoadEdt(m_window.document().EdtPath);
}

void DialogueCommands::ShowEdtExecute()
{
    if (!m_viewer)
        return;
    m_viewer->show();
    m_viewer->raise();
    m_viewer->activateWindow();
}

void DialogueCommands::RunEdtExecute()
{
    // Started by its full path, without a shell; whether it starts is not our concern.
    QProcess::startDetached(m_window.config().EdtEditor, {});
}
