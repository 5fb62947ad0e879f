#pragma once

#include "editor/FolderLinks.h"
#include "editor/RecordIds.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// A record of another script whose link into this one must change because the records
// of this one moved, or whose target is gone. A link to a deleted record goes where a link
// inside the script would: to the record before it (record 0 when there is none).
struct ForeignLinkFix {
    QString path;
    QString script; // as the status bar names it: "#112", "Shop"
    int record = 0;
    quint8 before = 0;
    std::optional<quint8> after;
    bool targetDeleted = false;

    bool operator==(const ForeignLinkFix &) const = default;
};

// The links of the folder's other scripts into this one, whose slots held the records
// `saved` when the folder was read and hold `now`, that no longer lead where they did;
// by path and record.
QList<ForeignLinkFix> foreignLinkFixes(const FolderLinks &folder, const RecordIds &saved,
                                       const RecordIds &now);

// The bytes of another script with the links of the fixes that have a new target
// changed, every other byte kept. False with the reason when the file no longer holds
// those links as they were planned.
bool fixForeignLinks(const QByteArray &file, quint8 ownNumber, const QList<ForeignLinkFix> &fixes,
                     QByteArray &fixed, QString &error);
