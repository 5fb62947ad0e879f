// The dialogue decoder on any bytes: read whole, read from a device that hands out a few
// bytes at a time, and exported; all three must agree, and writing what was read gives
// the file back byte for byte. The encoder: a record it would write decodes to its line
// and encodes back to itself; the export reads back. The first byte sets the chunk size.
#include "FuzzCheck.h"
#include "dialogue/EdtExport.h"
#include "dialogue/EdtReader.h"
#include "dialogue/EdtTxtReader.h"
#include "dialogue/EdtWriter.h"
#include "dialogue/PhraseLine.h"
#include "dialogue/PhraseSelection.h"

#include <algorithm>

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

quint16 unitAt(const char *record, int index)
{
    return quint16(quint8(record[2 * index]) | quint8(record[2 * index + 1]) << 8);
}

// A record as the encoder writes it: the text ends with a 0 unit (or fills the record),
// zero units after it, blanks as 0x0020 and no unit beyond a byte and one.
bool isPlainRecord(const char *record)
{
    int i = 0;
    for (; i < EdtReader::UnitsPerRecord && unitAt(record, i) != 0; ++i) {
        const quint16 unit = unitAt(record, i);
        if (unit == 0x0021 || unit > 0x0100)
            return false;
    }
    for (; i < EdtReader::UnitsPerRecord; ++i) {
        if (unitAt(record, i) != 0)
            return false;
    }
    return true;
}

void checkEncoder(const QByteArray &bytes, const EdtText &whole)
{
    FUZZ_CHECK(EdtWriter::encode(whole) == bytes);
    for (qsizetype k = 0; k < whole.size(); ++k) {
        const char *record = bytes.constData() + k * EdtReader::RecordSize;
        const bool plain = isPlainRecord(record);
        FUZZ_CHECK(plain == whole.readRecord(k).isEmpty());
        if (plain)
            FUZZ_CHECK(EdtWriter::encodeRecord(whole[k]) == QByteArray(record, EdtReader::RecordSize));
    }
    // Any slice of the input as a line: what the rules accept comes back from the file.
    const QByteArray line = bytes.left(EdtReader::UnitsPerRecord + 2);
    if (PhraseLine::problem(line).isEmpty()) {
        FUZZ_CHECK(line.size() <= EdtReader::UnitsPerRecord);
        FUZZ_CHECK(EdtReader::decodeRecord(EdtWriter::encodeRecord(line).constData()) == line);
    }
    EdtText edited = whole;
    edited.insertLine(0, line.left(EdtReader::UnitsPerRecord));
    FUZZ_CHECK(EdtWriter::encode(edited).mid(EdtReader::RecordSize) == bytes);
}

void checkTextForm(const QByteArray &bytes, const EdtText &whole, const QByteArray &exported)
{
    EdtTxtReader reader;
    const bool showable = std::all_of(whole.begin(), whole.end(), [](const QByteArray &line) {
        return PhraseLine::problem(line).isEmpty();
    });
    const bool read = reader.parse(exported, EdtTxtReader::Encoding::Windows1251);
    FUZZ_CHECK(read || !showable);
    if (showable) {
        FUZZ_CHECK(reader.text().lines() == whole.lines());
    } else if (read) {
        // Line breaks that end the last phrase look like the blank lines an editor leaves at
        // the end of the file, so they alone may be lost; anything else is refused.
        const EdtText &back = reader.text();
        FUZZ_CHECK(back.size() == whole.size());
        for (qsizetype k = 0; k + 1 < whole.size(); ++k)
            FUZZ_CHECK(back.at(k) == whole.at(k));
        const QByteArray &last = whole.at(whole.size() - 1);
        const QByteArray &lastBack = back.at(back.size() - 1);
        FUZZ_CHECK(last.startsWith(lastBack) && PhraseLine::problem(lastBack).isEmpty());
        FUZZ_CHECK(last.sliced(lastBack.size()).count('\n') > 0);
        FUZZ_CHECK(std::all_of(last.begin() + lastBack.size(), last.end(),
                               [](char c) { return c == '\n' || c == '\r'; }));
    }
    // Anything else is read or refused with a reason.
    for (auto encoding : {EdtTxtReader::Encoding::Windows1251, EdtTxtReader::Encoding::Utf8})
        FUZZ_CHECK(reader.parse(bytes, encoding) || !reader.errorString().isEmpty());
}

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

    checkEncoder(bytes, whole);

    const QByteArray text = Edt2Txt(whole);
    checkTextForm(bytes, whole, text);
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
