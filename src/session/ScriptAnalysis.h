#pragma once

#include "editor/ScriptChecks.h"
#include "editor/ScriptGraph.h"
#include "session/LinkNavigation.h"

#include <optional>

class DialogueText;
class ForeignLinkFixes;
struct NpcScriptDocument;

// The open script read as a whole: what the checks find, the links into a record, the
// graph the map draws. Worked out from the session's state when asked; the findings are
// kept until the session says that what they depend on changed.
class ScriptAnalysis
{
public:
    ScriptAnalysis(const NpcScriptDocument &document, const ReferenceLists &lists,
                   const DialogueText &dialogue, const LinkNavigation &links,
                   const ForeignLinkFixes &foreign);

    // What the checks find in every record, as scrivlet-cli check reports it.
    const QList<CheckFinding> &findings() const;
    // The records, here and in the other scripts of the folder, that hand control to the
    // record.
    LinkNavigation::Incoming incomingLinks(int record) const;
    // Where the record hands control to; nothing when it has no link.
    std::optional<LinkNavigation::LinkTarget> linkOf(int record) const;
    // The records and their links as the dialogue map draws them.
    ScriptGraph graph() const;

    // The records, the lists, the text or the folder changed.
    void forget() { m_findings.reset(); }

private:
    const NpcScriptDocument &m_document;
    const ReferenceLists &m_lists;
    const DialogueText &m_dialogue;
    const LinkNavigation &m_links;
    const ForeignLinkFixes &m_foreign;
    mutable std::optional<QList<CheckFinding>> m_findings;
};
