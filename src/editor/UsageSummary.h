#pragma once

#include "editor/UsageSearch.h"

#include <QString>

// A count with the Russian word for it: "1 запись", "3 записи", "12 записей".
QString counted(qsizetype n, const char *one, const char *few, const char *many);

// What a finished or stopped search says: whether it was stopped, what it found in how
// many records and scripts, and how many files could not be read.
QString usageOutcomeText(const FolderSearch &search, int records, int scripts);
// The unread files with their reasons, a line each, the first `shown` of them.
QString unreadListText(const QList<UnreadScript> &unread, int shown = 20);
