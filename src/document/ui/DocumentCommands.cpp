#include "document/ui/DocumentCommands.h"

#include "common/FileMessages.h"
#include "common/Windows1251.h"
#include "common/ui/Prompts.h"
#include "app/ui/TForm1.h"
#include "dialogue/ui/DialogueCommands.h"
#include "document/NpcFile.h"
#include "document/NpcName.h"
#include "editor/ui/EditorPanel.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QSignalBlocker>

namespace
{

const QString Unsaved = QStringLiteral("Текущие данные не сохранены.\r\n");
const QString OpenQuestion = QStringLiteral("Вы уверены, что хотите открыть новый скрипт?");

QString title(const QString &path)
{
    return QStringLiteral("Scrivlet - ") + path;
}

} // namespace

DocumentCommands::DocumentCommands(TForm1 &window) : QObject(&window), m_window(window)
{
    m_window.onTriggered("New", this, &DocumentCommands::NewExecute);
    m_window.onTriggered("Open", this, &DocumentCommands::OpenExecute);
    m_window.onTriggered("Save", this, &DocumentCommands::SaveExecute);
    m_window.onTriggered("SaveAs", this, &DocumentCommands::SaveAsExecute);
    m_window.onTriggered("F_Vesta", this, &DocumentCommands::F_VestaExecute);
    m_window.onTriggered("F_Standart", this, &DocumentCommands::F_StandartExecute);
    connect(m_window.Check_Vesta(), &QCheckBox::clicked, this, &DocumentCommands::Check_VestaClick);
}

FileDialogOptions DocumentCommands::npcDialog(const QString &title) const
{
    FileDialogOptions options;
    options.title = title;
    options.filter = QStringLiteral("NPC-файлы|*.npc|Все файлы|*.*");
    options.defaultSuffix = QStringLiteral("npc");
    options.directory = m_window.config().WorkDir;
    return options;
}

bool DocumentCommands::mayDiscardChanges(const QString &question, QMessageBox::StandardButtons buttons)
{
    return !m_window.document().modified ||
           m_window.prompts().confirm(&m_window, Unsaved + question, buttons);
}

void DocumentCommands::NewExecute()
{
    if (!mayDiscardChanges(QStringLiteral("Вы уверены, что хотите начать редактирование нового скрипта?"),
                           QMessageBox::Yes | QMessageBox::Cancel))
        return;
    NpcScriptDocument &doc = m_window.document();
    doc.modified = false;
    doc.zeroAll();
    for (int row = 0; row < RecordCount; ++row)
        m_window.blankGridRow(row);
    doc.OwnNpcNumber = NoneByte;
    m_window.selectGridRow(0);
    m_window.setCurRec(0);
    doc.path.clear();
    m_window.dialogueCommands().clearDialogue();
    m_window.ShowRec();
    m_window.updateTitle();
    for (const char *name : {"Save", "ReloadTxt", "ShowEdt", "ExportEdt", "MoveUp", "MoveDown", "SaveAsMacr"})
        m_window.setActionEnabled(QLatin1String(name), false);
    m_window.Lbl_NpcName()->clear();
}

void DocumentCommands::OpenExecute()
{
    if (!mayDiscardChanges(OpenQuestion, QMessageBox::Yes | QMessageBox::No))
        return;
    const QString path =
        m_window.prompts().openFile(&m_window, npcDialog(QStringLiteral("Открыть NPC-скрипт")));
    if (path.isEmpty() || !NpcRead(path))
        return;
    NpcScriptDocument &doc = m_window.document();
    doc.path = path;
    doc.modified = false;
    m_window.config().WorkDir = QFileInfo(path).absolutePath();
    m_window.dialogueCommands().attachDialogueFile();
    m_window.setWindowTitle(title(path));
    selectFirstRecord();
}

void DocumentCommands::FilesDropped(const QString &path)
{
    if (path.endsWith(QStringLiteral(".npc"), Qt::CaseInsensitive)) {
        if (!mayDiscardChanges(OpenQuestion, QMessageBox::Yes | QMessageBox::No) || !NpcRead(path))
            return;
        NpcScriptDocument &doc = m_window.document();
        doc.path = path;
        doc.modified = false;
        m_window.setWindowTitle(title(path));
        m_window.dialogueCommands().attachDialogueFile();
        selectFirstRecord();
    } else if (path.endsWith(QStringLiteral(".edt"), Qt::CaseInsensitive)) {
        // A file that cannot be read leaves the dialogue text and its path as they were.
        if (m_window.dialogueCommands().LoadEdt(path))
            m_window.document().EdtPath = path;
    }
}

void DocumentCommands::selectFirstRecord()
{
    m_window.selectGridRow(0);
    m_window.setCurRec(0);
    m_window.setActionEnabled(QStringLiteral("MoveUp"), false);
    m_window.ShowRec();
    m_window.setActionEnabled(QStringLiteral("SaveAsMacr"), !m_window.document().IsRecEmpty(0));
}

void DocumentCommands::SaveExecute()
{
    // A value typed but not yet confirmed belongs to what the user saves.
    m_window.editorPanel().leaveFocusedEdit();
    const QString path = m_window.document().path;
    if (path.isEmpty())
        SaveAsExecute();
    else
        NpcWrite(path);
}

void DocumentCommands::SaveAsExecute()
{
    m_window.editorPanel().leaveFocusedEdit();
    const QString path =
        m_window.prompts().saveFile(&m_window, npcDialog(QStringLiteral("Сохранить NPC-скрипт")));
    if (path.isEmpty())
        return;
    if (!m_window.prompts().mayOverwrite(&m_window, path))
        return;
    if (!NpcWrite(path))
        return;
    m_window.document().path = path;
    m_window.config().WorkDir = QFileInfo(path).absolutePath();
}

bool DocumentCommands::NpcRead(const QString &path)
{
    NpcReader reader;
    if (!reader.read(path)) {
        m_window.prompts().error(&m_window, reader.errorString());
        return false;
    }
    NpcScriptDocument &doc = m_window.document();
    doc.layout = reader.layout();
    showLayout(doc.layout);
    doc.zeroAll();
    for (int row = 0; row < RecordCount; ++row)
        m_window.blankGridRow(row);
    ShowNpcName(path);
    doc.records = reader.records();
    for (int row = 0; row < RecordCount; ++row) {
        if (!doc.IsRecEmpty(row))
            m_window.fillGridRow(row);
    }
    m_window.RecLabelPrefix = QStringLiteral("Запись:");
    m_window.Lbl_RecordNo()->setText(m_window.RecLabelPrefix + QLatin1Char(' ') +
                                     QString::number(m_window.CurRec()));
    m_window.setActionEnabled(QStringLiteral("Save"), false);
    return true;
}

bool DocumentCommands::NpcWrite(const QString &path)
{
    NpcScriptDocument &doc = m_window.document();
    NpcWriter writer;
    if (!writer.write(doc.records, doc.layout, path)) {
        m_window.prompts().error(&m_window, writeFailureText(path, writer.errorString()));
        return false;
    }
    doc.modified = false;
    m_window.setWindowTitle(title(path));
    m_window.setActionEnabled(QStringLiteral("Save"), false);
    ShowNpcName(path);
    return true;
}

void DocumentCommands::ShowNpcName(const QString &path)
{
    const NpcName name = parseNpcName(path);
    m_window.document().OwnNpcNumber = name.number;
    if (!name.numeric) {
        m_window.Lbl_NpcName()->setText(name.rest);
        return;
    }
    m_window.Lbl_NpcName()->setText(QString::number(name.number) + QStringLiteral(". ") +
                                    fromWindows1251(m_window.lists().Npc.nameOf(name.number)));
}

void DocumentCommands::showLayout(NpcLayout layout)
{
    const bool vesta = layout == NpcLayout::VestaLayout;
    const QSignalBlocker blocker(m_window.Check_Vesta());
    m_window.Check_Vesta()->setChecked(vesta);
    m_window.action(vesta ? QStringLiteral("F_Vesta") : QStringLiteral("F_Standart"))->setChecked(true);
}

void DocumentCommands::F_VestaExecute()
{
    m_window.document().layout = NpcLayout::VestaLayout;
    showLayout(NpcLayout::VestaLayout);
}

void DocumentCommands::F_StandartExecute()
{
    m_window.document().layout = NpcLayout::StandardLayout;
    showLayout(NpcLayout::StandardLayout);
}

void DocumentCommands::Check_VestaClick(bool checked)
{
    if (checked)
        F_VestaExecute();
    else
        F_StandartExecute();
}
