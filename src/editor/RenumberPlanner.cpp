#include "editor/RenumberPlanner.h"

#include "common/RegularFile.h"
#include "common/UndecodableNames.h"
#include "document/NpcFile.h"
#include "document/NpcName.h"
#include "document/ScriptFolder.h"

#include <QFileInfo>

namespace
{

QString fieldName(NpcField field)
{
    return NpcRecord::fieldName(field);
}

QString takenText(qint64 to, const QString &where)
{
    return QStringLiteral("номер %1 уже занят: %2").arg(QString::number(to), where);
}

} // namespace

QString renumberedFileName(const QString &name, qint64 from, qint64 to)
{
    const auto digit = [&name](qsizetype i) { return name.at(i) >= u'0' && name.at(i) <= u'9'; };
    qsizetype first = 0;
    while (first < name.size() && !digit(first))
        ++first;
    qsizetype end = first;
    while (end < name.size() && digit(end))
        ++end;
    const QStringView digits = QStringView(name).sliced(first, end - first);
    bool ok = false;
    if (digits.isEmpty() || digits.toLongLong(&ok) != from || !ok)
        return {};
    QString number = QString::number(to);
    if (digits.size() > 1 && digits.front() == QLatin1Char('0'))
        number = number.rightJustified(digits.size(), QLatin1Char('0'));
    return name.left(first) + number + name.mid(end);
}

RenumberPlanner::RenumberPlanner(RenumberRequest request)
    : m_request(std::move(request)), m_kind(renumberKindInfo(m_request.kind)), m_scan(m_request.folder)
{
    const NpcField field = m_kind.fields.constFirst();
    const auto [lowest, highest] = numberRange(field);
    const auto range = QStringLiteral(" (%1 - %2)").arg(lowest).arg(highest);
    if (m_request.from == m_request.to)
        refuse(QStringLiteral("старый и новый номер совпадают"));
    else if (!fieldCanHold(field, m_request.from))
        refuse(QStringLiteral("номер %1 не может стоять в поле %2")
                   .arg(QString::number(m_request.from), fieldName(field)) +
               range);
    else if (!fieldCanHold(field, m_request.to))
        refuse(QStringLiteral("номер %1 не помещается в поле %2")
                   .arg(QString::number(m_request.to), fieldName(field)) +
               range);
    else if (!QFileInfo(m_request.folder).isDir())
        refuse(QStringLiteral("%1: нет такой папки").arg(m_request.folder), true);
}

void RenumberPlanner::refuse(const QString &reason, bool unreadable)
{
    if (m_refusal)
        return;
    m_refusal = RenumberRefusal{unreadable, reason};
    m_plan = {};
    m_finished = true;
}

void RenumberPlanner::stop()
{
    if (isFinished())
        return;
    m_stopped = true;
    m_plan = {};
}

void RenumberPlanner::next(int maxFiles)
{
    if (isFinished())
        return;
    if (!m_scan.isDone()) {
        m_scan.step(maxFiles * ListingFactor);
        return;
    }
    if (!m_scan.undecodable().isEmpty()) {
        // It would keep its old numbers while the lists take the new ones.
        refuse(QStringLiteral("%1: %2").arg(m_scan.undecodable().constFirst(), UndecodableNames::refusalText()),
               true);
        return;
    }
    const QStringList &paths = m_scan.paths();
    for (int i = 0; i < maxFiles && m_done < paths.size() && !m_finished; ++i)
        readScript(paths.at(m_done++));
    if (m_done == paths.size() && !m_finished)
        finish();
}

std::variant<RenumberPlan, RenumberRefusal> RenumberPlanner::planAll(const RenumberRequest &request)
{
    RenumberPlanner planner(request);
    while (!planner.isFinished())
        planner.next(4096);
    if (planner.refusal())
        return *planner.refusal();
    return planner.plan();
}

void RenumberPlanner::readScript(const QString &path)
{
    QByteArray bytes;
    QString reason;
    if (!RegularFile::readAll(path, MaxScriptFileSize, bytes, reason)) {
        refuse(QStringLiteral("не удалось прочитать %1: %2").arg(path, reason), true);
        return;
    }
    NpcReader reader;
    if (!reader.readBytes(bytes)) {
        refuse(QStringLiteral("не удалось прочитать %1: %2").arg(path, reader.reason()), true);
        return;
    }
    const qint64 from = m_request.from;
    const qint64 to = m_request.to;
    const QFileInfo info(path);
    const NpcName name = parseNpcName(info.fileName());
    const bool isCharacter = m_request.kind == RenumberKind::Npc && name.numeric;
    if (isCharacter && name.number == to) {
        refuse(takenText(to, QStringLiteral("есть скрипт ") + path));
        return;
    }

    NpcRecords records = reader.records();
    bool changed = false;
    for (int r = 0; r < RecordCount; ++r) {
        if (records[r].isEmpty())
            continue;
        for (NpcField field : m_kind.fields) {
            const quint16 value = records[r].value(field);
            const std::optional<qint64> number = renumberedNumber(field, value);
            if (number == to) {
                refuse(takenText(
                    to, QStringLiteral("%1:%2: %3").arg(path, QString::number(r), fieldName(field))));
                return;
            }
            if (number != from)
                continue;
            const quint16 after = renumberedValue(field, value, to);
            m_plan.fields.append({path, r, field, value, after});
            records[r].setValue(field, after);
            changed = true;
        }
    }
    const bool renamed = isCharacter && name.number == from;
    if (!changed && !renamed)
        return;
    m_fileOf.insert(path, m_plan.files.size());
    RenumberFile file{path, path, false, false, bytes, std::nullopt};
    if (changed) {
        file.after = NpcWriter::encodeInto(bytes, records, reader.layout());
        // Record 0 begins the file, and its first bytes tell the layout.
        if (NpcReader::detectLayout(file.after->size(), file.after->first(4)) != reader.layout()) {
            refuse(QStringLiteral("скрипт %1 стал бы нечитаемым: поля Mode и ItemIn записи 0 задают "
                                  "формат файла")
                       .arg(path));
            return;
        }
    }
    m_plan.files.append(file);
    if (renamed)
        m_numberedFrom[info.path()] << path;
}

void RenumberPlanner::finish()
{
    if (m_request.kind == RenumberKind::Npc)
        planScriptRenames();
    if (!m_finished)
        planLists();
    if (!m_finished)
        checkLimits();
    m_plan.folder = m_request.folder;
    if (!m_finished && m_plan.isEmpty())
        refuse(QStringLiteral("номер %1 нигде не используется: менять нечего").arg(m_request.from));
    m_finished = true;
}

void RenumberPlanner::planScriptRenames()
{
    const qint64 from = m_request.from;
    const qint64 to = m_request.to;
    for (auto it = m_numberedFrom.cbegin(); it != m_numberedFrom.cend(); ++it) {
        const QStringList &paths = it.value();
        if (paths.size() > 1) {
            refuse(QStringLiteral("в папке %1 несколько скриптов NPC %2: %3")
                       .arg(it.key(), QString::number(from), paths.join(QStringLiteral(", "))));
            return;
        }
        const ScriptFolder folder(it.key());
        const QString path = paths.constFirst();
        const QString name = QFileInfo(path).fileName();
        const QString newName = renumberedFileName(name, from, to);
        const NpcName parsed = parseNpcName(newName);
        if (newName.isEmpty() || !parsed.numeric || parsed.number != to) {
            refuse(QStringLiteral("имя файла %1 не получается перенумеровать").arg(path));
            return;
        }
        QList<RenumberFileRename> renames{{path, folder.pathOf(newName)}};
        if (const QString edtName = folder.edtNameFor(name); !edtName.isEmpty()) {
            const QString newEdt = renumberedFileName(edtName, from, to);
            if (newEdt.isEmpty()) {
                refuse(
                    QStringLiteral("имя файла %1 не получается перенумеровать").arg(folder.pathOf(edtName)));
                return;
            }
            renames.append({folder.pathOf(edtName), folder.pathOf(newEdt)});
        }
        if (const QString taken = folder.edtNameFor(newName); !taken.isEmpty()) {
            refuse(takenText(to, QStringLiteral("есть файл ") + folder.pathOf(taken)));
            return;
        }
        for (const RenumberFileRename &rename : std::as_const(renames)) {
            if (QFileInfo::exists(rename.to) || QFileInfo(rename.to).isSymLink()) {
                refuse(takenText(to, QStringLiteral("есть файл ") + rename.to));
                return;
            }
        }
        RenumberFile &script = m_plan.files[m_fileOf.value(path)];
        script.target = renames[0].to;
        script.renamed = true;
        if (renames.size() > 1)
            m_plan.files.append({renames[1].from, renames[1].to, true, false, {}, std::nullopt});
        m_plan.renames << renames;
    }
}

void RenumberPlanner::planLists()
{
    for (ListId id : m_kind.lists) {
        const RenumberListFile file = m_request.lists.value(id);
        if (file.readFrom.isEmpty())
            continue;
        QByteArray bytes;
        QString reason;
        if (!RegularFile::readAll(file.readFrom, ReferenceList::MaxFileSize, bytes, reason)) {
            refuse(QStringLiteral("не удалось прочитать %1: %2").arg(file.readFrom, reason), true);
            return;
        }
        if (const int line = lineOfListEntry(bytes, m_request.to)) {
            refuse(takenText(m_request.to, file.readFrom + QLatin1Char(':') + QString::number(line)));
            return;
        }
        QList<ListLineChange> lines;
        const QByteArray after =
            placeListEntry(renumberListEntries(bytes, m_request.from, m_request.to, &lines), m_request.to);
        m_listsAfter[id].appendText(after);
        if (lines.isEmpty())
            continue;
        if (file.writeTo.isEmpty()) {
            refuse(QStringLiteral("список %1 поставляется с программой и не меняется; скопируйте его "
                                  "в свою папку списков")
                       .arg(file.readFrom));
            return;
        }
        for (const ListLineChange &line : std::as_const(lines))
            m_plan.lists.append({file.writeTo, line});
        m_plan.files.append({file.readFrom, file.writeTo, false, true, bytes, after});
    }
}

void RenumberPlanner::checkLimits()
{
    QHash<int, int> limits; // by field
    for (NpcField field : m_kind.fields) {
        const FieldInfo &info = *findFieldInfo(field);
        const auto list = m_listsAfter.constFind(info.list);
        limits.insert(int(field),
                      list == m_listsAfter.cend() ? fullFieldRange(info) : fieldLimit(info, *list));
    }
    for (const RenumberFieldChange &change : std::as_const(m_plan.fields)) {
        const FieldInfo &info = *findFieldInfo(change.field);
        if (info.shown == FieldShow::SignedByAbs && change.after >= 32768)
            continue; // a negative reaction: the editor puts no limit on those
        const int limit = limits.value(int(change.field));
        if (m_request.to > limit) {
            refuse(QStringLiteral("номер %1 больше предела поля %2 (%3:%4): %5")
                       .arg(QString::number(m_request.to), fieldName(change.field), change.path,
                            QString::number(change.record), QString::number(limit)));
            return;
        }
    }
}
