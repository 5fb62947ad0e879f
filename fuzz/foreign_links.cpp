// Links of another script rewritten in its bytes: the first bytes choose the script's own
// number and up to four links to move, the rest is the file. A rewrite changes nothing but
// the links planned, keeps the file's size, and the opposite rewrite gives the bytes back.
#include "FuzzCheck.h"
#include "document/NpcFile.h"
#include "editor/ForeignLinks.h"

extern "C" int LLVMFuzzerTestOneInput(const char *data, size_t size)
{
    if (size < 2)
        return 0;
    const auto own = quint8(data[0]);
    const int count = quint8(data[1]) % 5;
    const size_t head = 2 + 3 * size_t(count);
    if (size < head)
        return 0;
    QList<ForeignLinkFix> fixes;
    QList<ForeignLinkFix> back;
    for (int i = 0; i < count; ++i) {
        const char *fix = data + 2 + 3 * i;
        const int record = quint8(fix[0]) % RecordCount;
        bool again = false;
        for (const ForeignLinkFix &planned : fixes)
            again = again || planned.record == record;
        if (again)
            continue; // a record is planned once
        fixes.append({QString(), QString(), record, quint8(fix[1]), quint8(fix[2])});
        back.append({QString(), QString(), record, quint8(fix[2]), quint8(fix[1])});
    }
    const QByteArray file(data + head, qsizetype(size - head));
    QByteArray fixed;
    QString error;
    if (!fixForeignLinks(file, own, fixes, fixed, error)) {
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    FUZZ_CHECK(fixed.size() == file.size());
    NpcReader before;
    NpcReader after;
    FUZZ_CHECK(before.readBytes(file) && after.readBytes(fixed));
    NpcRecords expected = before.records();
    for (const ForeignLinkFix &fix : fixes)
        expected[fix.record].ControlRec = *fix.after;
    FUZZ_CHECK(after.records() == expected);
    for (const ForeignLinkFix &fix : fixes) {
        if (expected[fix.record].isEmpty())
            return 0; // no longer a link to take back
    }
    QByteArray restored;
    FUZZ_CHECK(fixForeignLinks(fixed, own, back, restored, error) && restored == file);
    return 0;
}
