// The record edits of the session: the current record, field values, list operations,
// macros and their undo history.
#include "session/ScriptSession.h"

#include "common/Windows1251.h"
#include "document/NpcName.h"
#include "editor/FieldText.h"
#include "macros/MacroEntry.h"

RecordState ScriptSession::state() const
{
    return {m_document.records, m_captions.texts(), m_curRec, m_foreign.ids(), m_dialogue.text()};
}

void ScriptSession::endStep(const QString &name, const RecordState &before, int changes)
{
    m_history.push(name, before, m_curRec);
    notify(changes);
}

int ScriptSession::restore(const RecordState &state)
{
    const bool text = !(m_dialogue.text() == state.text);
    m_dialogue.setText(state.text);
    m_phraseLine = std::min(m_phraseLine, m_dialogue.text().size() - 1);
    m_document.records = state.records;
    m_foreign.setIds(state.ids);
    if (m_curRec != state.curRec)
        setCurrent(state.curRec);
    showRec();
    // The captions come back as they stood, whatever showing the record would write.
    m_captions.texts() = state.captions;
    return Records | Current | Shown | State | (text ? Dialogue : 0);
}

void ScriptSession::undo()
{
    announceLeaving();
    if (!m_history.canUndo())
        return;
    notify(restore(m_history.undo(state())));
}

void ScriptSession::redo()
{
    announceLeaving();
    if (!m_history.canRedo())
        return;
    notify(restore(m_history.redo(state())));
}

void ScriptSession::showRec()
{
    m_typedValuePending = false;
    NpcRecord &r = current();
    m_labelEmptyForm = r.isEmpty();
    m_captions.showLink(m_curRec, r, m_document.OwnNpcNumber);
    if (r.isEmpty()) {
        m_captions.showAction(m_curRec, r);
        return;
    }
    // A phrase count means nothing without a phrase: it is one until a phrase is set.
    if (r.Phrase == NoneByte)
        r.PhraseCnt = 1;
}

void ScriptSession::markModified()
{
    m_labelEmptyForm = false;
}

void ScriptSession::setCurrent(int row)
{
    m_curRec = row;
    m_movesWaitForSelection = false;
    showRec();
}

void ScriptSession::selectRecord(int row)
{
    if (row < 0 || row >= RecordCount)
        return;
    announceLeaving();
    setCurrent(row);
    notify(Current | Shown | State);
}

void ScriptSession::showActionCaption()
{
    // An empty record shows no action name, even when the list names 0.
    m_captions.showAction(m_curRec, currentRecord());
}

void ScriptSession::noteTypedValue()
{
    if (std::exchange(m_typedValuePending, true))
        return;
    notify(State);
}

int ScriptSession::fieldLimit(NpcField field) const
{
    const FieldInfo *info = findFieldInfo(field);
    return info ? ::fieldLimit(*info, m_lists) : 0;
}

QString ScriptSession::fieldStepName(NpcField field) const
{
    return QStringLiteral("значение поля «") + fieldCaption(field) + QStringLiteral("»");
}

void ScriptSession::applyRuleOutcome(NpcField field, const RuleOutcome &outcome, const QString &editText)
{
    using After = RuleOutcome::After;
    m_typedValuePending = false;
    const RecordState before = state();
    if (outcome.stored)
        current().setValue(field, *outcome.stored);
    const bool shows = outcome.after == After::ShowAndMark || outcome.after == After::ShowOnly;
    const bool marks = outcome.after == After::ShowAndMark || outcome.after == After::MarkOnly;
    if (shows)
        showRec();
    if (marks)
        markModified();
    if (field == NpcField::Action) {
        // The name follows what the edit now shows, also when the value was refused.
        QString shown = editText;
        if (shows)
            shown = currentRecord().isEmpty()
                        ? QStringLiteral("0")
                        : FieldRules::shownText(*findFieldInfo(field), current().Action);
        else if (outcome.editText)
            shown = *outcome.editText;
        m_captions.setAction(m_curRec, shown.toLatin1());
    }
    const int changes = Records | (shows ? Shown : 0) | State;
    if (marks)
        endStep(fieldStepName(field), before, changes);
    else
        notify(changes);
}

RuleOutcome ScriptSession::commitField(NpcField field, const QString &text)
{
    const FieldInfo *info = findFieldInfo(field);
    if (!info)
        return {};
    const RuleOutcome outcome = FieldRules::leave(*info, text, m_lists.byId(info->list), fieldLimit(field),
                                                  m_settings.config().warningsOn());
    applyRuleOutcome(field, outcome, text);
    return outcome;
}

RuleOutcome ScriptSession::pickField(NpcField field, int item, const QString &editText)
{
    const FieldInfo *info = findFieldInfo(field);
    if (!info || !info->hasList())
        return {};
    const RuleOutcome outcome = FieldRules::pick(*info, m_lists.byId(info->list), item);
    applyRuleOutcome(field, outcome, editText);
    return outcome;
}

void ScriptSession::setFieldDefault(NpcField field)
{
    const FieldInfo *info = findFieldInfo(field);
    if (!info || !info->hasButton())
        return;
    const RecordState before = state();
    current().setValue(field, info->defaultValue);
    markModified();
    endStep(fieldStepName(field), before, Records | State);
}

RecordList ScriptSession::recordList()
{
    return RecordList(m_document.records, m_captions.texts(), m_curRec, m_document.OwnNpcNumber);
}

void ScriptSession::copyRecord()
{
    announceLeaving();
    m_clipboard = currentRecord();
    m_pasteAvailable = true;
    notify(State);
}

void ScriptSession::cutRecord()
{
    announceLeaving();
    const RecordState before = state();
    m_clipboard = currentRecord();
    m_pasteAvailable = true;
    recordList().removeRecord();
    m_foreign.removed(m_curRec);
    showRec();
    markModified();
    endStep(QStringLiteral("вырезать запись"), before);
}

void ScriptSession::deleteRecord()
{
    announceLeaving();
    const RecordState before = state();
    recordList().removeRecord();
    m_foreign.removed(m_curRec);
    showRec();
    markModified();
    endStep(QStringLiteral("удалить запись"), before);
}

void ScriptSession::pasteRecord()
{
    announceLeaving();
    const RecordState before = state();
    recordList().insertRecord(m_clipboard);
    m_foreign.inserted(m_curRec);
    showRec();
    markModified();
    showActionCaption();
    m_pasteAvailable = false;
    endStep(QStringLiteral("вставить запись"), before);
}

void ScriptSession::cleanRecord()
{
    announceLeaving();
    const RecordState before = state();
    m_document.ZeroRec(m_curRec);
    markModified();
    showRec();
    endStep(QStringLiteral("очистить запись"), before);
}

void ScriptSession::initialiseRecord()
{
    announceLeaving();
    const RecordState before = state();
    current().initialise();
    showRec();
    markModified();
    showActionCaption();
    endStep(QStringLiteral("инициализировать запись"), before);
}

void ScriptSession::moveRecord(int delta)
{
    announceLeaving();
    const RecordState before = state();
    RecordList list = recordList();
    if (!list.moveRecord(delta))
        return;
    m_foreign.swapped(m_curRec, list.CurRec());
    // The moved record stays selected, as a click on its new row would select it.
    setCurrent(list.CurRec());
    showRec();
    markModified();
    endStep(delta < 0 ? QStringLiteral("сдвинуть запись вверх") : QStringLiteral("сдвинуть запись вниз"),
            before);
}

SessionResult ScriptSession::applyMacro(int position)
{
    announceLeaving();
    const MacroStore &macros = m_macros.macros();
    if (position < 0 || position >= macros.count())
        return {};
    NpcRecord applied = currentRecord();
    QByteArray badValue;
    if (!MacroEntry::apply(macros.entry(position), applied, &badValue))
        return SessionResult::failure(MacroEntry::conversionErrorText(fromWindows1251(badValue)));
    const RecordState before = state();
    current() = applied;
    markModified();
    showRec();
    showActionCaption();
    endStep(QStringLiteral("макрос «") + fromWindows1251(macros.name(position)) + QStringLiteral("»"),
            before);
    return {};
}
