#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// What may be written as a phrase: one line of at most 240 single-byte characters, none
// below 0x20 (the game cannot show them, and 0x1F would read back as a blank).
namespace PhraseLine
{

constexpr int MaxLength = 240;

// Why the bytes cannot be a phrase; empty when they can.
QString problem(QByteArrayView line);

// "Знака «日» (U+65E5) нет в кодировке Windows-1251", for the character at `index`.
QString unencodableText(const QString &text, qsizetype index);

// The text as the user typed it, in Windows-1251; nothing, with the reason in `problem`,
// when it holds a character that code page lacks or cannot be a phrase.
std::optional<QByteArray> fromText(const QString &text, QString &problem);

// A line as dump gives it: control characters too, as files hold them (check warns of
// them), so that what was read is written back byte for byte. Only what no dialogue file
// can hold is refused: a character outside the code page, 0x1F (it reads back as a
// blank), more than 240 characters.
std::optional<QByteArray> fromStoredText(const QString &text, QString &problem);

} // namespace PhraseLine
