// The phrases of the session: the dialogue text edited with the records that speak it,
// one history for both, and the text written beside the script.
#include "session/ScriptSession.h"

#include "common/RegularFile.h"
#include "dialogue/EdtPath.h"
#include "dialogue/EdtTxtReader.h"
#include "dialogue/PhraseLine.h"

#include <QDir>
#include <QFileInfo>

SpokenText ScriptSession::spoken() const
{
    return {m_document.records, m_dialogue.text()};
}

bool ScriptSession::textChanged() const
{
    return !(m_dialogue.text() == m_saved.text);
}

bool ScriptSession::hasUnsavedText()
{
    announceLeaving();
    return textChanged();
}

QString ScriptSession::dialogueSavePath(const QString &scriptPath) const
{
    if (scriptPath == m_document.path && !m_dialogue.path().isEmpty())
        return m_dialogue.path();
    return withExtension(scriptPath, QStringLiteral(".edt"));
}

bool ScriptSession::textGoesTo(const QString &edtPath) const
{
    // A script saved under another name takes its text along, so that a later save does
    // not write into the text of the script it was copied from.
    return textChanged() || (!m_dialogue.path().isEmpty() && edtPath != m_dialogue.path());
}

QString ScriptSession::dialogueFileToReplace(const QString &scriptPath)
{
    announceLeaving();
    const QString target = dialogueSavePath(scriptPath);
    if (!textGoesTo(target) || target == m_dialogue.path() || !QFileInfo::exists(target))
        return {};
    return target;
}

void ScriptSession::takeReadText()
{
    m_saved.text = m_dialogue.text();
    m_phraseLine = -1;
    // Steps that changed the text before cannot be undone into this one.
    if (m_history.changesText())
        m_history.restart(m_document.records != m_saved.records);
    else
        m_history.setText(m_saved.text);
}

SessionResult ScriptSession::applyPhraseStep(const PhraseStep &step, const QString &name)
{
    if (!step.done())
        return SessionResult::failure(step.refusal);
    const RecordState before = state();
    const bool records = step.result.records != m_document.records;
    m_document.records = step.result.records;
    m_dialogue.setText(step.result.text);
    m_phraseLine = step.line;
    if (records) {
        showRec();
        markModified();
        showActionCaption(); // a record that spoke nothing may have been empty
    }
    m_history.push(name, before, m_curRec, true);
    notify((records ? Records | Shown : 0) | Dialogue | State);
    return {true, step.note};
}

SessionResult ScriptSession::editPhrase(qsizetype line, const QString &text)
{
    announceLeaving();
    QString problem;
    const std::optional<QByteArray> bytes = PhraseLine::fromText(text, problem);
    if (!bytes)
        return SessionResult::failure(problem);
    if (line >= 0 && line < m_dialogue.text().size() && m_dialogue.text().at(line) == *bytes)
        return {};
    return applyPhraseStep(PhraseList::editLine(spoken(), line, *bytes),
                           QStringLiteral("изменение фразы %1").arg(line));
}

SessionResult ScriptSession::addPhrase()
{
    announceLeaving();
    const PhraseStep step = PhraseList::addPhrase(spoken(), m_curRec);
    return applyPhraseStep(step, QStringLiteral("добавление фразы %1").arg(step.line));
}

SessionResult ScriptSession::appendPhrase()
{
    announceLeaving();
    const PhraseStep step = PhraseList::appendLine(spoken());
    return applyPhraseStep(step, QStringLiteral("добавление фразы %1").arg(step.line));
}

SessionResult ScriptSession::insertPhrase(qsizetype line)
{
    announceLeaving();
    return applyPhraseStep(PhraseList::insertLine(spoken(), line), QStringLiteral("вставка фразы %1").arg(line));
}

SessionResult ScriptSession::deletePhrase(qsizetype line)
{
    announceLeaving();
    return applyPhraseStep(PhraseList::deleteLine(spoken(), line),
                           QStringLiteral("удаление фразы %1").arg(line));
}

SessionResult ScriptSession::movePhrase(qsizetype line, int delta)
{
    announceLeaving();
    return applyPhraseStep(PhraseList::moveLine(spoken(), line, delta),
                           (delta < 0 ? QStringLiteral("сдвиг фразы %1 вверх") : QStringLiteral("сдвиг фразы %1 вниз"))
                               .arg(line));
}

SessionResult ScriptSession::importPhrases(const QString &path)
{
    announceLeaving();
    QByteArray bytes;
    QString error;
    EdtTxtReader reader;
    // The export is Windows-1251; a file saved as UTF-8 by an editor says so by its mark.
    if (RegularFile::readAll(path, EdtTxtReader::MaxFileSize, bytes, error))
        reader.parse(bytes, bytes.startsWith("\xEF\xBB\xBF") ? EdtTxtReader::Encoding::Utf8
                                                             : EdtTxtReader::Encoding::Windows1251);
    if (error.isEmpty())
        error = reader.errorString();
    if (!error.isEmpty())
        return SessionResult::failure(QStringLiteral("Фразы не загружены из файла ") + QDir::toNativeSeparators(path) +
                                      QStringLiteral(":\r\n") + error);
    PhraseStep step{{m_document.records, reader.text()}, reader.text().isEmpty() ? -1 : 0, {}, {}};
    return applyPhraseStep(step, QStringLiteral("загрузка фраз из TXT"));
}

QString ScriptSession::phraseSpeakers(qsizetype line) const
{
    return PhraseList::speakersText(m_document.records, line);
}

void ScriptSession::selectPhrase(qsizetype line)
{
    if (line == m_phraseLine)
        return;
    m_phraseLine = line;
    notify(State);
}

SessionResult ScriptSession::replacePhrases(const QList<LineReplacement> &lines)
{
    const EdtText &text = m_dialogue.text();
    for (const LineReplacement &line : lines) {
        if (line.phrase >= text.size() || text.at(line.phrase) != line.before)
            return SessionResult::failure(
                QStringLiteral("Фраза %1 изменилась после просмотра замены; ничего не заменено.").arg(line.phrase));
    }
    if (lines.isEmpty())
        return {};
    return applyPhraseStep({{m_document.records, withReplacements(text, lines)}, lines.first().phrase, {}, {}},
                           QStringLiteral("замена в текстах"));
}
