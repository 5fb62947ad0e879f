#include "common/Windows1251.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

namespace
{

// A single-byte code: each byte decodes alone, so one table built by the codec decodes
// any text exactly as the codec would, without opening a converter per call.
struct DecodeTable {
    std::array<char16_t, 256> unicode{};
    bool valid = false;

    DecodeTable()
    {
        QStringDecoder decoder("windows-1251");
        if (!decoder.isValid())
            return;
        for (int byte = 0; byte < 256; ++byte) {
            const char c = char(byte);
            const QString decoded = decoder.decode(QByteArrayView(&c, 1));
            decoder.resetState();
            unicode[size_t(byte)] =
                decoded.size() == 1 ? decoded.at(0).unicode() : char16_t(QChar::ReplacementCharacter);
        }
        valid = true;
    }
};

const DecodeTable &decodeTable()
{
    static const DecodeTable table;
    return table;
}

} // namespace

QString fromWindows1251(QByteArrayView bytes)
{
    const DecodeTable &table = decodeTable();
    if (!table.valid)
        return QString::fromLatin1(bytes);
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : bytes)
        *out++ = QChar(table.unicode[uchar(c)]);
    return text;
}

QByteArray toWindows1251(const QString &text)
{
    QStringEncoder encoder("windows-1251");
    if (!encoder.isValid())
        return text.toLatin1();
    return encoder.encode(text);
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
