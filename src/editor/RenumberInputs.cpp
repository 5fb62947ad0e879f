#include "editor/RenumberInputs.h"

#include "common/Windows1251.h"
#include "editor/FieldText.h"

#include <QDir>
#include <QFileInfo>

namespace
{

bool sameFolder(const QString &a, const QString &b)
{
    return !a.isEmpty() && !b.isEmpty() && QDir(a).canonicalPath() == QDir(b).canonicalPath();
}

bool samePath(const QString &a, const QString &b)
{
    const auto clean = [](const QString &path) {
        return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    };
    return !a.isEmpty() && !b.isEmpty() && clean(a) == clean(b);
}

QString shown(const QString &folder, const QString &path)
{
    return QDir::toNativeSeparators(QDir(folder).relativeFilePath(path));
}

} // namespace

QString renumberKindCaption(RenumberKind kind)
{
    static const char *const Captions[] = {"Предмет",     "Факт",    "Квест", "Закрытие квеста",
                                           "Воздействие", "Реакция", "Режим", "Персонаж"};
    return QString::fromUtf8(Captions[int(kind)]);
}

RenumberListFile renumberListFile(const ListFolders &folders, ListId id)
{
    const QString path = folders.fileOf(id);
    if (!QFileInfo::exists(path))
        return {};
    if (!sameFolder(QFileInfo(path).path(), folders.shipped))
        return {path, path};
    for (const QString &folder : {folders.chosen, folders.standard}) {
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return {path, QDir(folder).filePath(ReferenceLists::fileName(id))};
    }
    return {path, {}};
}

RenumberRequest renumberRequest(const QString &folder, RenumberKind kind, qint64 from, qint64 to,
                                const ListFolders &folders)
{
    RenumberRequest request{folder, kind, from, to, {}};
    for (ListId id : renumberKindInfo(kind).lists)
        request.lists.insert(id, renumberListFile(folders, id));
    return request;
}

std::optional<RenumberProposal> renumberProposal(NpcField field, quint16 value)
{
    for (const RenumberKindInfo &kind : renumberKinds()) {
        if (!kind.fields.contains(field))
            continue;
        const std::optional<qint64> number = renumberedNumber(field, value);
        if (!number)
            return std::nullopt;
        return RenumberProposal{kind.kind, *number};
    }
    return std::nullopt;
}

QList<RenumberPreviewRow> renumberPreviewRows(const RenumberPlan &plan, const QString &folder)
{
    QList<RenumberPreviewRow> rows;
    for (const RenumberFieldChange &change : plan.fields)
        rows.append({shown(folder, change.path), QStringLiteral("запись %1").arg(change.record),
                     QLatin1String(NpcRecord::fieldName(change.field)),
                     fieldValueText(change.field, change.before) + QStringLiteral(" -> ") +
                         fieldValueText(change.field, change.after)});
    for (const RenumberFileRename &rename : plan.renames)
        rows.append(
            {shown(folder, rename.from), QString(), QStringLiteral("имя файла"),
             QFileInfo(rename.from).fileName() + QStringLiteral(" -> ") + QFileInfo(rename.to).fileName()});
    for (const RenumberListChange &change : plan.lists)
        rows.append({QDir::toNativeSeparators(change.path), QStringLiteral("строка %1").arg(change.line.line),
                     QStringLiteral("список"),
                     fromWindows1251(change.line.before) + QStringLiteral(" -> ") +
                         fromWindows1251(change.line.after)});
    return rows;
}

QString pathAfterRenumbering(const RenumberPlan &plan, const QString &path)
{
    for (const RenumberFileRename &rename : plan.renames) {
        if (samePath(rename.from, path))
            return rename.to;
    }
    return path;
}

bool renumberingChanges(const RenumberPlan &plan, const QString &path)
{
    for (const RenumberFile &file : plan.files) {
        if (samePath(file.path, path))
            return true;
    }
    return false;
}

bool renumberingChangesLists(const RenumberPlan &plan)
{
    return !plan.lists.isEmpty();
}
