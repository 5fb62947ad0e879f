#pragma once

#include "editor/ListFolders.h"
#include "editor/RenumberPlan.h"

#include <QList>
#include <QString>

#include <optional>

// The kind as the editor names it: "Предмет".
QString renumberKindCaption(RenumberKind kind);

// Where a list of the kind is read and written, as every reader finds it; a list shipped
// with the program is not changed where it lies but copied, renumbered, into the user's
// list folder (the chosen one, else the standard one); empty when there is no such list.
RenumberListFile renumberListFile(const ListFolders &folders, ListId id);
RenumberRequest renumberRequest(const QString &folder, RenumberKind kind, qint64 from, qint64 to,
                                const ListFolders &folders);

// The kind and number a field's value stands for, when the field holds a number of a kind.
struct RenumberProposal {
    RenumberKind kind;
    qint64 number = 0;
};
std::optional<RenumberProposal> renumberProposal(NpcField field, quint16 value);

// A line of the preview of a plan: the file relative to the folder, the record or line,
// the field (or what else changes), and the change.
struct RenumberPreviewRow {
    QString file;
    QString place;
    QString what;
    QString change;

    bool operator==(const RenumberPreviewRow &) const = default;
};
QList<RenumberPreviewRow> renumberPreviewRows(const RenumberPlan &plan, const QString &folder);

// The open script's path once the plan is applied: its new name when the plan renames it.
QString pathAfterRenumbering(const RenumberPlan &plan, const QString &path);
// The plan writes or renames the file at the path.
bool renumberingChanges(const RenumberPlan &plan, const QString &path);
// The plan changes a list file.
bool renumberingChangesLists(const RenumberPlan &plan);
