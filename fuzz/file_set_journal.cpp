// A journal of a set of files read from any bytes: refused with a reason, or taken; what
// was taken, written again with its commit line if it had one, reads back the same.
#include "FuzzCheck.h"
#include "common/FileSetJournal.h"

extern "C" int LLVMFuzzerTestOneInput(const char *data, size_t size)
{
    const QByteArray bytes(data, qsizetype(size));
    FileSetJournal journal;
    QString error;
    if (!journal.parse(bytes, error)) {
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    FUZZ_CHECK(journal.complete || journal.steps.isEmpty());
    FUZZ_CHECK(!journal.committed || journal.complete);
    if (!journal.complete)
        return 0;
    FileSetJournal again;
    const QByteArray written = journal.toBytes() + (journal.committed ? FileSetJournal::commitLine() : QByteArray());
    FUZZ_CHECK(again.parse(written, error));
    FUZZ_CHECK(again.owner == journal.owner && again.folder == journal.folder && again.steps == journal.steps);
    FUZZ_CHECK(again.complete && again.committed == journal.committed);
    return 0;
}
