#include "common/Windows1251.h"

#include <algorithm>
#include <array>
#include <utility>

namespace
{

// The upper half of the code page (the lower half is ASCII), as the system's codec
// decodes it, a row of the code page a line; 0x98, unassigned, passes through as U+0098.
// From 0xC0 on, А to я in order.
// clang-format off
constexpr std::array<char16_t, 64> UpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};
// clang-format on

constexpr char16_t decodeByte(uchar byte)
{
    if (byte < 0x80)
        return byte;
    if (byte < 0xC0)
        return UpperHalf[byte - 0x80];
    return char16_t(0x0410 + (byte - 0xC0));
}

// What the codec leaves out when encoding: the invisible, default-ignorable characters.
constexpr std::pair<char32_t, char32_t> Ignorable[] = {
    {0x034F, 0x034F}, {0x061C, 0x061C},   {0x115F, 0x1160},   {0x17B4, 0x17B5},
    {0x180B, 0x180F}, {0x200B, 0x200F},   {0x202A, 0x202E},   {0x2060, 0x206F},
    {0x3164, 0x3164}, {0xFE00, 0xFE0F},   {0xFEFF, 0xFEFF},   {0xFFA0, 0xFFA0},
    {0xFFF0, 0xFFF8}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0000, 0xE0FFF},
};

bool isIgnorable(char32_t code)
{
    return std::any_of(std::begin(Ignorable), std::end(Ignorable),
                       [code](const auto &range) { return code >= range.first && code <= range.second; });
}

// The byte of every character the code page has, by character: for encoding.
struct EncodeTable {
    std::array<std::pair<char16_t, char>, 128> bytes{};

    EncodeTable()
    {
        for (int byte = 0x80; byte < 0x100; ++byte)
            bytes[size_t(byte - 0x80)] = {decodeByte(uchar(byte)), char(byte)};
        std::sort(bytes.begin(), bytes.end());
    }

    // 0 for a character the code page does not have.
    char byteOf(char16_t unit) const
    {
        const auto found = std::lower_bound(bytes.begin(), bytes.end(), unit,
                                            [](const auto &entry, char16_t u) { return entry.first < u; });
        return found != bytes.end() && found->first == unit ? found->second : 0;
    }
};

// What the codec writes for a character it has no byte for.
constexpr char Substitute = 0x1A;

} // namespace

QString fromWindows1251(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : bytes)
        *out++ = QChar(decodeByte(uchar(c)));
    return text;
}

QByteArray toWindows1251(const QString &text)
{
    static const EncodeTable table;
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        if (unit < 0x80) {
            bytes.append(char(unit));
            continue;
        }
        if (const char byte = table.byteOf(unit)) {
            bytes.append(byte);
            continue;
        }
        char32_t code = unit;
        if (QChar::isHighSurrogate(unit)) {
            if (i + 1 == text.size())
                break; // the codec waits for the rest of an unfinished pair, and it never comes
            if (QChar::isLowSurrogate(text.at(i + 1).unicode()))
                code = QChar::surrogateToUcs4(unit, text.at(++i).unicode());
        }
        if (!isIgnorable(code))
            bytes.append(Substitute);
    }
    return bytes;
}

qsizetype firstUnencodable1251(const QString &text)
{
    if (fromWindows1251(toWindows1251(text)) == text)
        return -1;
    // The slow way only to find the character.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype width = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString one = text.mid(i, width);
        if (fromWindows1251(toWindows1251(one)) != one)
            return i;
        i += width - 1;
    }
    return -1;
}

void foldCase1251(QByteArrayView bytes, QByteArray &result)
{
    static const std::array<char, 256> table = [] {
        std::array<char, 256> folds{};
        for (int byte = 0; byte < 256; ++byte) {
            const char c = char(byte);
            const QByteArray back = toWindows1251(fromWindows1251(QByteArrayView(&c, 1)).toCaseFolded());
            folds[size_t(byte)] = back.size() == 1 && back != "?" ? back.at(0) : c;
        }
        return folds;
    }();
    result.resize(bytes.size());
    char *out = result.data();
    for (const char c : bytes)
        *out++ = table[uchar(c)];
}

QByteArray foldCase1251(QByteArrayView bytes)
{
    QByteArray folded;
    foldCase1251(bytes, folded);
    return folded;
}
