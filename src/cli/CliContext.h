#pragma once

#include "cli/CliArguments.h"
#include "cli/CliOutput.h"
#include "document/NpcFile.h"
#include "editor/ListLint.h"
#include "editor/ReferenceLists.h"

#include <optional>

enum ExitCode { ExitOk = 0, ExitNegative = 1, ExitFailure = 2 };

class FileSetWriter;

// What a running command works with: its arguments, the two output streams, the lists
// (read on first use) and whether an input could not be read.
class CliContext
{
public:
    static constexpr const char *Program = "scrivlet-cli";

    CliContext(const QString &command, Console &out, Console &err, ParsedArguments arguments);

    const QString command;
    Console &out;
    Console &err;
    const ParsedArguments args;

    // From --data, else the Data folder of the current one, each list with the editor's
    // fallback; a list that cannot be read is a warning.
    const ReferenceLists &lists();
    // The lines of those lists that name no usable number.
    const QList<UnclearListLine> &unclearListLines()
    {
        if (!m_unclear)
            m_unclear = ::unclearListLines(lists());
        return *m_unclear;
    }

    void warn(const QString &message);
    // An input that could not be read: said on stderr, and the command ends with exit 2.
    void inputFailed(const QString &path, const QString &reason);
    // Arguments that make no sense: said on stderr with where to find the help; exit 2.
    void usageFailed(const QString &message);
    bool anyInputFailed() const { return m_failed; }
    // 2 once an input failed, else 1 for the command's negative answer, else 0.
    int exitCode(bool negativeAnswer) const;

    // A script read whole, or nothing once its failure was reported.
    std::optional<NpcReader> readScript(const QString &path);
    // A game file that exists is replaced only with --force: false once each one that
    // stands in the way was named.
    bool mayReplace(const QStringList &paths);
    // Writes through a temporary file; false once the failure was reported.
    bool writeFile(const QString &path, const QByteArray &bytes);
    // Writes every file of the set or none; false once the failure was reported.
    bool writeFiles(FileSetWriter &files);

    // The folders of the files and folders named in the arguments.
    QStringList touchedFolders() const;
    // Takes back or finishes what an earlier run left half written there, saying so on
    // `report`; false, the failure said on stderr, when that could not be done.
    bool finishInterruptedWrites(const QStringList &folders, Console &report);

private:
    std::optional<ReferenceLists> m_lists;
    std::optional<QList<UnclearListLine>> m_unclear;
    bool m_failed = false;
};

// "scrivlet-cli COMMAND: message" and the way to the command's help.
QString usageText(const QString &command, const QString &message);

// Why a conversion to the Vesta layout is refused (see vestaLosesLastRecord).
QString vestaDropRefusal(const QString &path);
