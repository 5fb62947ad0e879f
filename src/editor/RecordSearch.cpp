#include "editor/RecordSearch.h"

#include <algorithm>

SearchTerm SearchTerm::fact(qint64 value)
{
    return {{NpcField::TriggT, NpcField::TriggF, NpcField::Trigg2T}, value};
}

SearchTerm SearchTerm::item(qint64 value)
{
    return {{NpcField::ItemIn, NpcField::ItemOut}, value};
}

SearchTerm SearchTerm::quest(qint64 value)
{
    return {{NpcField::Q_was, NpcField::Q_Input, NpcField::Q_Output}, value};
}

SearchTerm SearchTerm::npc(qint64 value)
{
    return field(NpcField::ControlNpc, value);
}

SearchTerm SearchTerm::action(qint64 value)
{
    return field(NpcField::Action, value);
}

QList<SearchMatch> findRecords(const NpcRecords &records, const QList<SearchTerm> &terms)
{
    QList<SearchMatch> matches;
    for (int i = 0; i < RecordCount; ++i) {
        const NpcRecord &record = records[i];
        if (record.isEmpty())
            continue;
        SearchMatch match{i, {}};
        bool all = true;
        for (const SearchTerm &term : terms) {
            bool held = false;
            for (NpcField field : term.fields) {
                const std::optional<quint16> wanted = storedValue(field, term.value);
                if (wanted && record.value(field) == *wanted) {
                    held = true;
                    if (!match.fields.contains(field))
                        match.fields << field;
                }
            }
            all = all && held;
        }
        if (all) {
            std::sort(match.fields.begin(), match.fields.end());
            matches << match;
        }
    }
    return matches;
}
