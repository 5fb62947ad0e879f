#pragma once

#include <QtGlobal>

#include <bit>
#include <cstring>
#include <type_traits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The bytes of 64 that equal c, a bit each, the first byte lowest, looked at one by one:
// where no vector compare is at hand, and to check the one that is.
inline quint64 bytesEqualToEachByte(const char *block, char c)
{
    quint64 bits = 0;
    for (int i = 0; i < 64; ++i)
        bits |= quint64(block[i] == c) << i;
    return bits;
}

// The same, 16 bytes at a time.
inline quint64 bytesEqualTo(const char *block, char c)
{
#if defined(__SSE2__)
    const __m128i wanted = _mm_set1_epi8(c);
    quint64 bits = 0;
    for (int i = 0; i < 4; ++i) {
        const __m128i part = _mm_loadu_si128(reinterpret_cast<const __m128i *>(block + 16 * i));
        bits |= quint64(quint32(_mm_movemask_epi8(_mm_cmpeq_epi8(part, wanted)))) << (16 * i);
    }
    return bits;
#else
    return bytesEqualToEachByte(block, c);
#endif
}

// Calls entry(line, size) for each line of a list file that becomes an entry, in file
// order: a line ends at LF (a CR before it is not part of it), Ctrl-Z ends the file, as
// it did for the tools that wrote these lists, and empty lines and lines holding ";" are
// left out. An entry that takes a third argument is given the line's number in the file,
// from 1, and one that takes a fourth where its first "=" is (-1 for none).
// The bytes are looked at 64 at a time, each LF, ";" and "=" a bit: lists of a million
// lines are read this way, and a search call per line cost more than the rest.
template <typename Entry> void forEachListEntry(const char *data, qsizetype size, Entry &&entry)
{
    const auto *eof = static_cast<const char *>(memchr(data, '\x1a', size_t(size)));
    const qsizetype end = eof ? eof - data : size;
    qsizetype number = 0;
    qsizetype lineStart = 0;
    bool comment = false;
    qsizetype equals = -1; // in the whole text
    const auto endLine = [&](qsizetype lineEnd) {
        ++number;
        qsizetype length = lineEnd - lineStart;
        if (length > 0 && data[lineEnd - 1] == '\r')
            --length;
        if (length > 0 && !comment) {
            const char *line = data + lineStart;
            if constexpr (std::is_invocable_v<Entry, const char *, qsizetype, qsizetype, qsizetype>)
                entry(line, length, number, equals < 0 ? -1 : equals - lineStart);
            else if constexpr (std::is_invocable_v<Entry, const char *, qsizetype, qsizetype>)
                entry(line, length, number);
            else
                entry(line, length);
        }
        lineStart = lineEnd + 1;
        comment = false;
        equals = -1;
    };
    char last[64]; // the text's last part, NUL-filled: a NUL matches none of the three
    for (qsizetype block = 0; block < end; block += 64) {
        const char *bytes = data + block;
        if (end - block < 64) {
            memcpy(last, bytes, size_t(end - block));
            memset(last + (end - block), 0, size_t(64 - (end - block)));
            bytes = last;
        }
        quint64 lineEnds = bytesEqualTo(bytes, '\n');
        const quint64 comments = bytesEqualTo(bytes, ';');
        const quint64 signs = bytesEqualTo(bytes, '=');
        quint64 open = ~quint64(0); // the bits of the line that runs on into this block
        const auto take = [&](quint64 part) {
            comment = comment || (comments & part) != 0;
            if (equals < 0 && (signs & part) != 0)
                equals = block + std::countr_zero(signs & part);
        };
        while (lineEnds != 0) {
            const int at = std::countr_zero(lineEnds);
            take(open & ((quint64(1) << at) - 1));
            endLine(block + at);
            open = at == 63 ? 0 : ~quint64(0) << (at + 1);
            lineEnds &= lineEnds - 1;
        }
        take(open);
    }
    if (lineStart < end)
        endLine(end);
}
