#include "editor/RenumberApply.h"

#include "common/FileSetWriter.h"
#include "common/RegularFile.h"

#include <QFileInfo>

namespace
{

QString changedSinceText(const QString &path)
{
    return QStringLiteral("Файл %1 изменился после того, как были рассчитаны изменения; ничего не записано.")
        .arg(path);
}

// False with the message when the file is no longer as the plan found it.
bool stillAsPlanned(const RenumberFile &file, FileOps &ops, QString &error)
{
    if (file.target != file.path && ops.exists(file.target)) {
        error = changedSinceText(file.target);
        return false;
    }
    if (!ops.exists(file.path)) {
        error = changedSinceText(file.path);
        return false;
    }
    if (!file.after)
        return true;
    QByteArray now;
    QString reason;
    // A file that grew is refused unread.
    if (!RegularFile::readAll(file.path, file.before.size(), now, reason) &&
        reason != RegularFile::tooLargeText(file.before.size())) {
        error =
            QStringLiteral("Не удалось прочитать файл %1: %2; ничего не записано.").arg(file.path, reason);
        return false;
    }
    if (now != file.before) {
        error = changedSinceText(file.path);
        return false;
    }
    return true;
}

} // namespace

bool renumberPlanStillHolds(const RenumberPlan &plan, QString &error, FileOps &ops)
{
    for (const RenumberFile &file : plan.files) {
        if (!stillAsPlanned(file, ops, error))
            return false;
    }
    return true;
}

bool applyRenumbering(const RenumberPlan &plan, QString &error, FileOps &ops)
{
    if (!renumberPlanStillHolds(plan, error, ops))
        return false;
    FileSetWriter writer(ops);
    writer.setFolder(plan.folder);
    for (const RenumberFile &file : plan.files) {
        // A list stays in its list folder; a script never leaves the folder renumbered.
        const bool read = file.after && (file.target == file.path || file.renamed);
        const FileSetWriter::Condition condition{
            read ? std::optional<QByteArray>(file.before) : std::nullopt,
            file.list ? QFileInfo(file.target).path() : plan.folder};
        if (file.renamed)
            writer.rename(file.path, file.target, condition);
        if (file.after)
            writer.write(file.target, *file.after, file.renamed ? FileSetWriter::Condition{} : condition);
    }
    if (writer.commit())
        return true;
    error = writer.errorString();
    return false;
}
