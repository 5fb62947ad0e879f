#pragma once

#include "editor/FolderLinks.h"
#include "editor/ReferenceLists.h"
#include "editor/ScriptLinks.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

enum class MapNodeKind {
    Record,      // a non-empty record of the script
    OtherScript, // a record of another character's script
    NoRecord,    // a link's target in this script that holds nothing: empty, or past 49
};

// The colours that set nodes and links apart, the same in the map and in Graphviz text.
namespace MapColours
{
inline constexpr const char *Broken = "#c62828";     // a link that leads nowhere sound
inline constexpr const char *OtherScript = "#e3ecf7"; // another character's record
inline constexpr const char *Record = "#fdfdf6";
} // namespace MapColours

// One box of the dialogue map. The texts are decoded for display.
struct MapNode {
    MapNodeKind kind = MapNodeKind::Record;
    int record = 0;
    quint8 npc = NoneByte; // the other character, for OtherScript
    QString path;          // the other character's script; empty when the folder has none
    QString title;         // "4 · Приветствие", "#112 · 4", "7 · пустая запись"
    QString subtitle;      // the other character's name; what is wrong with a NoRecord target
    QString conditions;    // "дни 3–7 · предмет меч · квест 2"; only what is set, by the lists' names
    QString results;       // "→ даёт меч · открывает квест Мост"; only what the record does
    QString phrase;        // the first phrase spoken, cut at PhraseLength characters
    QString details;       // every condition with its list name, and every phrase in full

    // The lines a box shows, in order, without the empty ones.
    QStringList lines() const;

    bool operator==(const MapNode &) const = default;
};

// A record handing control to another node.
struct MapEdge {
    int from = 0; // node indexes
    int to = 0;
    // The check's message when the link leads nowhere sound: fields named as in the file
    // (the command line's words), and as the editor's panels name them.
    QString problem;
    QString shownProblem;

    bool broken() const { return !problem.isEmpty(); }
    bool operator==(const MapEdge &) const = default;
};

// The records of a script and the links between them, as the dialogue map shows them.
struct ScriptGraph {
    static constexpr int PhraseLength = 60;

    // The records in order, then the targets outside them in link order, then the records
    // of other scripts that lead into this one and are no target.
    QList<MapNode> nodes;
    QList<MapEdge> edges; // in record order

    // The node of a record of this script (non-empty or a link's empty target); -1 when none.
    int nodeOfRecord(int record) const;

    bool operator==(const ScriptGraph &) const = default;
};

// The dialogue line k, or null past the last line.
using PhraseLookup = std::function<const QByteArray *(qsizetype)>;

// What the graph is made from besides the records.
struct ScriptGraphSources {
    quint8 ownNpcNumber = NoneByte;
    const ReferenceLists *lists = nullptr;     // names; none leaves numbers only
    PhraseLookup phrases;                      // the dialogue lines; none when not read
    ScriptLookup others;                        // the other scripts of the folder
    // The records of other scripts that hand control to a record of this one; none when
    // the folder is not known.
    std::function<QList<IncomingLink>(int record)> incoming;
};

// The one graph of a script, for the editor's map and for scrivlet-cli alike.
ScriptGraph scriptGraph(const NpcRecords &records, const ScriptGraphSources &sources);

// "дни 3–7 · предмет 12 · триггер 5 · не триггер 6 · квест 2 · лидерство 40"; empty when
// the record fires whatever the day, item, facts, quest and leadership. With the lists,
// a value they name is named instead of numbered.
QString conditionsSummary(const NpcRecord &record, const ReferenceLists *lists = nullptr);
// What the record does, the same way: "→ даёт меч · открывает квест 2 · закрывает квест 3 ·
// факт 5 · реакция 3 · тайл 40"; empty when it does none of these.
QString resultsSummary(const NpcRecord &record, const ReferenceLists *lists = nullptr);

// The map as a picture file, chosen by the file's extension in any letter case.
enum class MapFormat { Svg, Png };
std::optional<MapFormat> mapFormatOf(const QString &path);
