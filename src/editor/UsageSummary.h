#pragma once

#include "editor/UsageSearch.h"

#include <QString>

// A count with the Russian word for it: "1 запись", "3 записи", "12 записей".
QString counted(qsizetype n, const char *one, const char *few, const char *many);

// The forms of a Russian noun after a number: 1, 2-4, 5 and more.
struct CountedNoun {
    const char *one;
    const char *few;
    const char *many;
};
inline constexpr CountedNoun RecordNoun{"запись", "записи", "записей"};
inline constexpr CountedNoun PhraseNoun{"фраза", "фразы", "фраз"};

// What a finished or stopped search says: whether it was stopped, how many records (or
// phrases) it found in how many scripts, and how many files could not be read.
QString usageOutcomeText(const FolderSearch &search, int found, int scripts, const CountedNoun &noun = RecordNoun);
// The unread files with their reasons, a line each, the first `shown` of them.
QString unreadListText(const QList<UnreadScript> &unread, int shown = 20);
