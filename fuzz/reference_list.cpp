// A list file of any shape: every kept entry is a whole line without ";", lookups find
// the first entry of a number, the number reader agrees with the standard library, and
// the unclear lines are lines of the file, as many as the start counts.
#include "FuzzCheck.h"
#include "editor/ListLint.h"
#include "editor/ReferenceList.h"

#include <charconv>

namespace
{

std::optional<qint64> standardDecimal(QByteArrayView text)
{
    // from_chars takes no plus sign.
    if (text.startsWith('+')) {
        text = text.sliced(1);
        if (text.startsWith('-'))
            return std::nullopt;
    }
    qint64 value = 0;
    const char *end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.isEmpty() || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const char *data, size_t size)
{
    const QByteArray bytes(data, qsizetype(size));
    ReferenceList list;
    list.appendText(bytes);
    const qsizetype eof = bytes.indexOf('\x1a');
    const QByteArray text = eof < 0 ? bytes : bytes.left(eof);
    qsizetype kept = 0;
    for (QByteArray line : text.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        kept += !line.isEmpty() && !line.contains(';');
    }
    FUZZ_CHECK(list.count() == kept);
    for (int i = 0; i < list.count(); ++i) {
        const QByteArrayView entry = list.entry(i);
        FUZZ_CHECK(!entry.isEmpty() && !entry.contains(';') && !entry.contains('\n') &&
                   !entry.contains('\x1a'));
        const QByteArray number = list.numberText(i);
        if (entry.contains('=')) {
            FUZZ_CHECK(number + '=' + list.name(i) == entry);
            const int first = list.indexOfText(number);
            FUZZ_CHECK(!number.isEmpty() ? first >= 0 && first <= i && list.numberText(first) == number
                                         : first == -1);
        } else {
            FUZZ_CHECK(number.isEmpty() && list.name(i).isEmpty() && list.comboText(i) == entry);
        }
        const std::optional<qint64> value = readDecimal(number);
        FUZZ_CHECK(value == standardDecimal(number));
        if (value)
            FUZZ_CHECK(list.nameOf(*value) ==
                       (list.indexOf(*value) < 0 ? QByteArray() : list.name(list.indexOf(*value))));
    }
    // Each unclear line is one of the entries, named by its place in the file.
    const QList<QByteArray> fileLines = text.split('\n');
    const QList<UnclearListLine> unclear = unclearListLines(QStringLiteral("x.txt"), bytes, 32767);
    // The start's count of them is the check's.
    const QList<UnclearListCount> counted = unclearListCounts({{QStringLiteral("x.txt"), bytes, 32767}});
    FUZZ_CHECK(counted.isEmpty() ? unclear.isEmpty()
                                 : counted.size() == 1 && counted[0].count == unclear.size());
    for (const UnclearListLine &line : unclear) {
        FUZZ_CHECK(line.line >= 1 && line.line <= fileLines.size() && !line.reason.isEmpty());
        QByteArray read = fileLines.at(line.line - 1);
        if (read.endsWith('\r'))
            read.chop(1);
        FUZZ_CHECK(read == line.text);
    }
    const std::optional<qint64> last = list.lastNumber();
    FUZZ_CHECK(last == (list.isEmpty() ? std::nullopt : readDecimal(list.numberText(list.count() - 1))));
    FUZZ_CHECK(list.MaxNumber(7) == (last ? quint16(quint64(*last) & 0xFFFF) : 7));
    return 0;
}
