#pragma once

#include "editor/ReferenceLists.h"
#include "editor/ScriptLinks.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

enum class CheckLevel { Error, Warning, Note };

struct CheckFinding {
    static constexpr int WholeScript = -1;

    int record = WholeScript;
    CheckLevel level = CheckLevel::Note;
    QString rule;         // the fixed id, as "link-empty"
    QString message;      // fields named as in the file ("FDay=3: ..."), as the command line says it
    QString shownMessage; // fields named as the editor's panels name them ("«Первый день»=3: ...")

    bool operator==(const CheckFinding &) const = default;
};

// What the whole-script checks look at besides the records.
struct CheckContext {
    quint8 ownNpcNumber = NoneByte;
    const ReferenceLists *lists = nullptr; // none: the list rules are skipped
    // The lines of the script's dialogue text, as single-byte text; nothing when no .edt
    // lies beside it.
    std::optional<QList<QByteArray>> edtLines;
    // There is one, but it could not be read: neither the phrase rules nor the note.
    bool skipPhrases = false;
    ScriptLookup others; // the other scripts of the folder
};

// Every finding, by record; within a record in the order of the rules. The list rules
// skip a list that holds no entry, since it names nothing to compare with.
QList<CheckFinding> checkScript(const NpcRecords &records, const CheckContext &context);

// What the checks say about one link; nothing when it is sound or leads into a script
// that cannot be read.
std::optional<CheckFinding> linkFinding(const RecordLink &link);

// "error", "warning", "note".
QString checkLevelName(CheckLevel level);
