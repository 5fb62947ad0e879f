// A script read from any bytes and written back: a standard file gives its first 1600
// bytes again, a Vesta file bytes 0 to 1571 and zeros after them; written into its own
// bytes, every byte again.
#include "FuzzCheck.h"
#include "document/NpcFile.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const char *data, size_t size)
{
    QByteArray bytes(data, qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    NpcReader reader;
    const bool read = reader.read(&buffer);
    const auto layout = NpcReader::detectLayout(bytes.size(), bytes.left(4));
    FUZZ_CHECK(read == layout.has_value());
    if (!read) {
        FUZZ_CHECK(!reader.errorString().isEmpty());
        return 0;
    }
    FUZZ_CHECK(reader.layout() == *layout);
    const QByteArray written = NpcWriter::encode(reader.records(), reader.layout());
    FUZZ_CHECK(written.size() == NpcReader::FileSize);
    FUZZ_CHECK(NpcWriter::encodeInto(bytes, reader.records(), reader.layout()) == bytes);
    if (reader.layout() == NpcLayout::StandardLayout) {
        FUZZ_CHECK(written == bytes.left(NpcReader::FileSize));
    } else {
        constexpr int kept = 1572;
        FUZZ_CHECK(written.left(kept) == bytes.left(kept));
        FUZZ_CHECK(written.mid(kept) == QByteArray(NpcReader::FileSize - kept, '\0'));
        FUZZ_CHECK(reader.records().back() == NpcRecord{});
    }
    QByteArray out;
    QBuffer target(&out);
    target.open(QIODevice::WriteOnly);
    NpcWriter writer;
    FUZZ_CHECK(writer.write(reader.records(), reader.layout(), &target) && out == written);
    return 0;
}
