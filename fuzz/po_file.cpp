// The PO reader from any bytes: a file it takes is written back byte for byte, a changed
// translation reads back as typed with every other entry as it was, and a refused file
// says on which line.
#include "FuzzCheck.h"
#include "translation/PoReader.h"
#include "translation/PoWriter.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const char *data, size_t size)
{
    QByteArray bytes(data, qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    PoReader reader;
    if (!reader.read(&buffer)) {
        FUZZ_CHECK(!reader.errorString().isEmpty());
        FUZZ_CHECK(reader.catalogue().entries.isEmpty());
        return 0;
    }
    PoCatalogue po = reader.takeCatalogue();
    FUZZ_CHECK(PoWriter::encode(po) == bytes);

    qsizetype changed = -1;
    for (qsizetype k = 0; k < po.entries.size(); ++k) {
        if (!po.entries[k].commentsOnly && !po.entries[k].isHeader()) {
            changed = k;
            break;
        }
    }
    if (changed < 0)
        return 0;
    const QString text = QStringLiteral("Перевод \"в кавычках\"\t\\");
    po.setTranslation(changed, text);
    PoReader again;
    FUZZ_CHECK(again.parse(PoWriter::encode(po)));
    const PoCatalogue &back = again.catalogue();
    FUZZ_CHECK(back.entries.size() == po.entries.size());
    FUZZ_CHECK(back.entries[changed].translation() == text && !back.entries[changed].isFuzzy());
    for (qsizetype k = 0; k < po.entries.size(); ++k)
        FUZZ_CHECK(k == changed || back.entries[k].read == po.entries[k].read);
    return 0;
}
