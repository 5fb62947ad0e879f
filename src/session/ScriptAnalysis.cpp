#include "session/ScriptAnalysis.h"

#include "document/NpcScriptDocument.h"
#include "session/DialogueText.h"
#include "session/ForeignLinkFixes.h"

#include <algorithm>

ScriptAnalysis::ScriptAnalysis(const NpcScriptDocument &document, const ReferenceLists &lists,
                               const DialogueText &dialogue, const LinkNavigation &links,
                               const ForeignLinkFixes &foreign)
    : m_document(document), m_lists(lists), m_dialogue(dialogue), m_links(links), m_foreign(foreign)
{
}

const QList<CheckFinding> &ScriptAnalysis::findings() const
{
    if (!m_findings) {
        CheckContext context;
        context.ownNpcNumber = m_document.OwnNpcNumber;
        context.lists = &m_lists;
        if (m_dialogue.isLoaded())
            context.edtLines = m_dialogue.text().lines();
        context.others = [this](quint8 npc) { return m_links.folder().find(npc); };
        QList<CheckFinding> findings = checkScript(m_document.records, context);
        findings << m_foreign.declinedFindings(m_links.folder(), m_document.records);
        for (const QString &path : m_links.folder().undecodableScripts()) {
            const QString message =
                path + QStringLiteral(": имя не читается в кодировке системы: ссылки из этого скрипта не видны "
                                      "и при сохранении не исправляются; переименуйте его");
            findings << CheckFinding{CheckFinding::WholeScript, CheckLevel::Warning,
                                     QStringLiteral("folder-undecodable-name"), message, message};
        }
        std::stable_sort(findings.begin(), findings.end(),
                         [](const CheckFinding &a, const CheckFinding &b) { return a.record < b.record; });
        m_findings = findings;
    }
    return *m_findings;
}

LinkNavigation::Incoming ScriptAnalysis::incomingLinks(int record) const
{
    return m_links.incomingTo(record, m_document.records, m_document.OwnNpcNumber,
                              m_foreign.savedSlotOf(record));
}

std::optional<LinkNavigation::LinkTarget> ScriptAnalysis::linkOf(int record) const
{
    return m_links.linkOf(m_document.records.at(record), m_document.OwnNpcNumber);
}

ScriptGraph ScriptAnalysis::graph() const
{
    ScriptGraphSources sources;
    sources.ownNpcNumber = m_document.OwnNpcNumber;
    sources.lists = &m_lists;
    if (m_dialogue.isLoaded())
        sources.phrases = [text = &m_dialogue.text()](qsizetype k) { return text->find(k); };
    sources.others = [this](quint8 npc) { return m_links.folder().find(npc); };
    // The other scripts know the records by their numbers in the file as saved.
    sources.incoming = [this](int record) {
        const int saved = m_foreign.savedSlotOf(record);
        return saved < 0 ? QList<IncomingLink>() : m_links.folder().incomingTo(saved);
    };
    return ::scriptGraph(m_document.records, sources);
}
