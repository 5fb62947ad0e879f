// A recovery file read from any bytes: refused with a reason, or taken whole; what was
// taken, written again, reads back the same. The hash is made right for half the inputs,
// so that the fields behind it are reached too.
#include "FuzzCheck.h"
#include "common/FileStamp.h"
#include "session/RecoveryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const char *data, size_t size)
{
    const QByteArray raw(data, qsizetype(size));
    for (const QByteArray &bytes : {raw, raw + FileStamp::hashOf(raw)}) {
        RecoveryFile file;
        if (!file.decode(bytes)) {
            FUZZ_CHECK(!file.errorString().isEmpty());
            continue;
        }
        RecoveryFile again;
        FUZZ_CHECK(again.decode(RecoveryFile::encode(file.state())));
        FUZZ_CHECK(again.state() == file.state());
    }
    return 0;
}
