#include "common/Windows1251.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <gtest/gtest.h>

TEST(Windows1251, DecodesEveryByteAsTheCodecDoes)
{
    QByteArray all;
    for (int byte = 0; byte < 256; ++byte)
        all.append(char(byte));
    QStringDecoder codec("windows-1251");
    if (!codec.isValid())
        GTEST_SKIP() << "no windows-1251 codec to compare with: this Qt is built without ICU";
    EXPECT_EQ(fromWindows1251(all), codec.decode(all));
    EXPECT_EQ(fromWindows1251(QByteArray("\xcc\xe5\xf7 \xb8\xa8")), QStringLiteral("Меч ёЁ"));
    EXPECT_TRUE(fromWindows1251(QByteArray()).isEmpty());
}

TEST(Windows1251, EncodesEveryCharacterAsTheCodecDoes)
{
    QStringEncoder codec("windows-1251");
    if (!codec.isValid())
        GTEST_SKIP() << "no windows-1251 codec to compare with: this Qt is built without ICU";
    auto codecBytes = [&codec](const QString &text) {
        const QByteArray bytes = codec.encode(text);
        codec.resetState();
        return bytes;
    };
    QString everyCharacter;
    for (char32_t code = 0; code < 0x110000; ++code) {
        if (code < 0xD800 || code > 0xDFFF)
            everyCharacter += QString::fromUcs4(&code, 1);
    }
    EXPECT_EQ(toWindows1251(everyCharacter), codecBytes(everyCharacter));
    // Surrogates without their other half, alone, in a row and at the end.
    const QChar high(0xD800), low(0xDC00);
    for (const QString &text :
         {QString(high) + high + u'a', u'a' + QString(low), u'a' + QString(high), QString(low) + high + low})
        EXPECT_EQ(toWindows1251(text), codecBytes(text)) << text.toStdString();
}

TEST(Windows1251, EncodingGivesTheBytesBack)
{
    const QByteArray text("\xc0\xe1\xe2 \x97 \xb9 12");
    EXPECT_EQ(toWindows1251(fromWindows1251(text)), text);
}

TEST(Windows1251, FoldsLettersOfBothAlphabetsAndLeavesTheRest)
{
    EXPECT_EQ(foldCase1251(toWindows1251(QStringLiteral("МЕЧ Ёлка SWORD"))),
              toWindows1251(QStringLiteral("меч ёлка sword")));
    EXPECT_EQ(foldCase1251(toWindows1251(QStringLiteral("ЎІЇЄҐ"))), toWindows1251(QStringLiteral("ўіїєґ")));
    const QByteArray signs("0123456789.,;=? \x97\x98\xb9");
    EXPECT_EQ(foldCase1251(signs), signs);
}
