#include "editor/ScriptChecks.h"

#include "editor/FieldCatalogue.h"
#include "editor/FieldRules.h"
#include "editor/FieldText.h"

#include <QFileInfo>

#include <algorithm>
#include <array>

namespace
{

enum class Rule {
    LinkEmpty,
    LinkRange,
    LinkMissingScript,
    LinkEmptyRemote,
    Days,
    PhraseRange,
    PhraseCount,
    EdtMissing,
    UnusedPhrase,
    EmptyPhrase,
    PhraseControlChar,
    Undocumented,
    AboveList,
    AboveLimit,
    Spare,
};

struct RuleText {
    const char *id;
    CheckLevel level;
    // UTF-8, with %1... for the values and {Name} for a field ({field}: the one the finding
    // is about), which the command line names as the file format does and the editor as its
    // panels do.
    const char *message;
};

// One message per rule: the editor's problem list and the command line say the same.
constexpr std::array<RuleText, 15> Rules = {{
    {"link-empty", CheckLevel::Error, "{ControlRec}=%1: запись %1 этого скрипта пуста"},
    {"link-range", CheckLevel::Error, "{ControlRec}=%1: номер записи больше 49"},
    {"link-missing-script", CheckLevel::Warning, "{ControlNpc}=%1: в папке нет скрипта NPC %1"},
    {"link-empty-remote", CheckLevel::Error, "{ControlNpc}=%1, {ControlRec}=%2: запись %2 скрипта %3 пуста"},
    {"days", CheckLevel::Warning, "{FDay}=%1, {LDay}=%2: первый день не раньше последнего"},
    {"phrase-range", CheckLevel::Error, "{Phrase}=%1: фраза за концом текста (строк в .edt: %2)"},
    {"phrase-count", CheckLevel::Warning,
     "{Phrase}=%1, {PhraseCnt}=%2: последняя фраза %3 за концом текста (строк в .edt: %4)"},
    {"edt-missing", CheckLevel::Note, "рядом со скриптом нет файла .edt, фразы не проверены"},
    {"unused-phrase", CheckLevel::Note, "%1 не произносит ни одна запись"},
    {"empty-phrase", CheckLevel::Warning, "{Phrase}=%1, {PhraseCnt}=%2: фраза %3 пуста"},
    {"phrase-control-char", CheckLevel::Warning,
     "{Phrase}=%1, {PhraseCnt}=%2: в фразе %3 управляющий знак (код %4), игра её не покажет"},
    {"undocumented", CheckLevel::Warning, "{field}=%1: значение не названо в списке %2"},
    {"above-list", CheckLevel::Warning, "{field}=%1: больше последнего номера списка %2 (%3)"},
    {"above-limit", CheckLevel::Warning, "{field}=%1: больше предела поля (%2)"},
    {"spare", CheckLevel::Note, "{field}=%1: запасное поле не равно нулю"},
}};

enum class FieldNaming { AsInFile, AsInPanels };

// "«Первый день»"; a field without a caption (a spare one) keeps its name.
QString fieldNamed(NpcField field, FieldNaming naming)
{
    const QString caption = naming == FieldNaming::AsInPanels ? fieldCaption(field) : QString();
    return caption.isEmpty() ? QString(NpcRecord::fieldName(field))
                             : QStringLiteral("«") + caption + QStringLiteral("»");
}

// "%1" to "%9" and the field names replaced in one pass, so a value holding "%2" or
// "{FDay}" (a file name) stays as it is.
QString filled(const char *utf8, const QStringList &values, std::optional<NpcField> subject,
               FieldNaming naming)
{
    const QString text = QString::fromUtf8(utf8);
    QString result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n = i + 1 < text.size() ? text.at(i + 1).digitValue() : -1;
        const qsizetype close = text.at(i) == QLatin1Char('{') ? text.indexOf(QLatin1Char('}'), i) : -1;
        if (text.at(i) == QLatin1Char('%') && n >= 1 && n <= values.size()) {
            result += values.at(n - 1);
            ++i;
        } else if (close > i) {
            const QStringView name = QStringView(text).mid(i + 1, close - i - 1);
            const std::optional<NpcField> field =
                name == QLatin1String("field") ? subject : NpcRecord::fieldNamed(name);
            result += field ? fieldNamed(*field, naming) : text.mid(i, close - i + 1);
            i = close;
        } else {
            result += text.at(i);
        }
    }
    return result;
}

class Findings
{
public:
    void add(int record, Rule rule, const QStringList &values = {}, std::optional<NpcField> subject = {})
    {
        const RuleText &text = Rules[static_cast<int>(rule)];
        m_list.append({record, text.level, QLatin1String(text.id),
                       filled(text.message, values, subject, FieldNaming::AsInFile),
                       filled(text.message, values, subject, FieldNaming::AsInPanels)});
    }
    QList<CheckFinding> take() { return std::move(m_list); }

private:
    QList<CheckFinding> m_list;
};

QString number(qint64 value)
{
    return QString::number(value);
}

void checkLink(Findings &out, const RecordLink &link)
{
    switch (link.state) {
    case LinkState::Ok:
    case LinkState::UnreadableScript:
        break;
    case LinkState::BadRecord:
        out.add(link.record, Rule::LinkRange, {number(link.target)});
        break;
    case LinkState::MissingScript:
        out.add(link.record, Rule::LinkMissingScript, {number(link.npc)});
        break;
    case LinkState::EmptyTarget:
        if (link.local)
            out.add(link.record, Rule::LinkEmpty, {number(link.target)});
        else
            out.add(link.record, Rule::LinkEmptyRemote,
                    {number(link.npc), number(link.target), QFileInfo(link.targetPath).fileName()});
        break;
    }
}

void checkPhrases(Findings &out, int index, const NpcRecord &record, const QList<QByteArray> &text)
{
    const qsizetype lines = text.size();
    if (FieldRules::phraseFrameRed(record.Phrase, lines)) {
        out.add(index, Rule::PhraseRange, {number(record.Phrase), number(lines)});
        return;
    }
    if (record.speaksNothing())
        return;
    const qint64 end = qint64(record.Phrase) + record.PhraseCnt;
    if (end > lines)
        out.add(index, Rule::PhraseCount,
                {number(record.Phrase), number(record.PhraseCnt), number(end - 1), number(lines)});
    const QStringList block = {number(record.Phrase), number(record.PhraseCnt)};
    for (qsizetype k = record.Phrase; k < std::min<qint64>(end, lines); ++k) {
        const QByteArray &line = text.at(k);
        if (line.isEmpty())
            out.add(index, Rule::EmptyPhrase, block + QStringList{number(k)});
        const auto control = std::find_if(line.begin(), line.end(), [](char c) { return quint8(c) < 0x20; });
        if (control != line.end())
            out.add(index, Rule::PhraseControlChar, block + QStringList{number(k), number(quint8(*control))});
    }
}

// One note for each run of lines that no record speaks: "Фразы 20–23", "Фразу 5".
void checkUnusedLines(Findings &out, const NpcRecords &records, qsizetype lines)
{
    QList<bool> spoken(lines, false);
    for (const NpcRecord &record : records) {
        if (record.speaksNothing())
            continue;
        const qsizetype end = std::min<qsizetype>(qsizetype(record.Phrase) + record.PhraseCnt, lines);
        for (qsizetype k = record.Phrase; k < end; ++k)
            spoken[k] = true;
    }
    for (qsizetype k = 0; k < lines;) {
        if (spoken.at(k)) {
            ++k;
            continue;
        }
        qsizetype last = k;
        while (last + 1 < lines && !spoken.at(last + 1))
            ++last;
        const QString run =
            last == k ? QStringLiteral("Фразу %1").arg(k) : QStringLiteral("Фразы %1–%2").arg(k).arg(last);
        out.add(CheckFinding::WholeScript, Rule::UnusedPhrase, {run});
        k = last + 1;
    }
}

void checkLists(Findings &out, int index, const NpcRecord &record, const ReferenceLists &lists)
{
    for (const FieldInfo &info : fieldCatalogue()) {
        const ReferenceList &list = lists.byId(info.list);
        const quint16 value = record.value(info.field);
        const std::optional<qint64> listed = FieldRules::listedNumber(info, value);
        if (list.isEmpty() || !listed)
            continue;
        const QStringList named = {fieldValueText(info.field, value), ReferenceLists::fileName(info.list)};
        const std::optional<qint64> last = list.lastNumber();
        if (last && *listed > *last)
            out.add(index, Rule::AboveList, named + QStringList{number(*last)}, info.field);
        else if (list.indexOf(*listed) < 0)
            out.add(index, Rule::Undocumented, named, info.field);
    }
}

// The entry rule lets a typed value past these limits through; the game may not.
void checkFixedLimits(Findings &out, int index, const NpcRecord &record)
{
    for (const FieldInfo &info : fieldCatalogue()) {
        // ControlRec has a rule of its own: it is a link.
        if (info.hasList() || info.field == NpcField::ControlRec)
            continue;
        const quint16 value = record.value(info.field);
        const bool none = info.shown == FieldShow::NoneAsMinusOne && value == info.noneValue();
        if (!none && value > info.fixedMax)
            out.add(index, Rule::AboveLimit, {number(value), number(info.fixedMax)}, info.field);
    }
}

void checkSpares(Findings &out, int index, const NpcRecord &record)
{
    for (NpcField field : {NpcField::Spare19, NpcField::Spare28, NpcField::Spare30}) {
        if (record.value(field) != 0)
            out.add(index, Rule::Spare, {number(record.value(field))}, field);
    }
}

} // namespace

QList<CheckFinding> checkScript(const NpcRecords &records, const CheckContext &context)
{
    Findings out;
    if (!context.edtLines && !context.skipPhrases)
        out.add(CheckFinding::WholeScript, Rule::EdtMissing);
    if (context.edtLines)
        checkUnusedLines(out, records, context.edtLines->size());
    std::array<const RecordLink *, RecordCount> linkOf{};
    const QList<RecordLink> links = scriptLinks(records, context.ownNpcNumber, context.others);
    for (const RecordLink &link : links)
        linkOf[link.record] = &link;

    for (int i = 0; i < RecordCount; ++i) {
        const NpcRecord &record = records[i];
        if (!record.isEmpty()) {
            if (linkOf[i])
                checkLink(out, *linkOf[i]);
            if (FieldRules::lastDayFrameRed(record.FDay, record.LDay))
                out.add(i, Rule::Days, {fieldValueText(NpcField::FDay, record.FDay), number(record.LDay)});
            if (context.edtLines)
                checkPhrases(out, i, record, *context.edtLines);
            checkFixedLimits(out, i, record);
            if (context.lists)
                checkLists(out, i, record, *context.lists);
        }
        checkSpares(out, i, record);
    }
    return out.take();
}

std::optional<CheckFinding> linkFinding(const RecordLink &link)
{
    Findings out;
    checkLink(out, link);
    const QList<CheckFinding> found = out.take();
    return found.isEmpty() ? std::nullopt : std::optional(found.first());
}

QString checkLevelName(CheckLevel level)
{
    switch (level) {
    case CheckLevel::Error:
        return QStringLiteral("error");
    case CheckLevel::Warning:
        return QStringLiteral("warning");
    case CheckLevel::Note:
        return QStringLiteral("note");
    }
    return {};
}
