// The dialogue decoder on any bytes: read whole, read from a device that hands out a few
// bytes at a time, and exported; all three must agree. The first byte sets the chunk size.
#include "FuzzCheck.h"
#include "dialogue/EdtExport.h"
#include "dialogue/EdtReader.h"
#include "dialogue/PhraseSelection.h"

#include <QBuffer>

namespace
{

// A pipe-like device: no size, short reads.
class TrickleDevice : public QIODevice
{
public:
    TrickleDevice(QByteArray bytes, qint64 step) : m_bytes(std::move(bytes)), m_step(step)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 n = std::min({maxSize, m_step, qint64(m_bytes.size()) - m_pos});
        std::copy_n(m_bytes.constData() + m_pos, n, data);
        m_pos += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qint64 m_step;
    qint64 m_pos = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const char *data, size_t size)
{
    if (size == 0)
        return 0;
    const qint64 step = 1 + static_cast<quint8>(data[0]) * 7;
    const QByteArray bytes(data + 1, qsizetype(size - 1));
    const EdtText whole = EdtReader::decode(bytes);
    FUZZ_CHECK(whole.size() == bytes.size() / EdtReader::RecordSize);
    for (const QByteArray &line : whole)
        FUZZ_CHECK(line.size() <= EdtReader::UnitsPerRecord);

    TrickleDevice device(bytes, step);
    EdtReader reader;
    FUZZ_CHECK(reader.read(&device));
    FUZZ_CHECK(reader.text() == whole);

    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    const bool fits = reader.read(&buffer, step * 40);
    FUZZ_CHECK(fits == (bytes.size() <= step * 40));
    FUZZ_CHECK(!fits || reader.text() == whole);

    const QByteArray text = Edt2Txt(whole);
    qsizetype expected = 0;
    for (qsizetype i = 0; i < whole.size(); ++i)
        expected += 1 + QByteArray::number(i).size() + 2 + whole[i].size() + 4;
    FUZZ_CHECK(text.size() == expected);
    FUZZ_CHECK(whole.isEmpty() ? text.isEmpty() : text.startsWith("#0\r\n"));
    QByteArray out;
    QBuffer target(&out);
    target.open(QIODevice::WriteOnly);
    EdtTxtWriter writer;
    FUZZ_CHECK(writer.write(whole, &target) && out == text);

    const auto phrase = static_cast<quint8>(step);
    const auto count = static_cast<quint8>(size);
    const PhraseSelection selection = selectPhrases(phrase, count, whole.size());
    FUZZ_CHECK(selection.first >= 0 && selection.count >= 0);
    FUZZ_CHECK(selection.count == 0 || selection.first + selection.count <= whole.size());
    phraseMemoText(whole, selection);
    if (!whole.isEmpty())
        edtDisplayText(whole.front());
    return 0;
}
