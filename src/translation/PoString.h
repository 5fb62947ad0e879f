#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// The C-like quoted strings of PO files.
namespace PoString
{

// The text between the quotes of `"..."` and anything after them but blanks; nothing when
// the quoting is broken or an escape is unknown.
std::optional<QByteArray> unquote(QByteArrayView quoted);

// The text with quotes, backslashes and control characters escaped, without the quotes.
QByteArray escape(QByteArrayView text);

// `keyword "text"` lines as gettext writes them: one line when it fits in 79 columns or
// holds no line break, else an empty first string and one line per piece.
QByteArray field(QByteArrayView keyword, QByteArrayView text);

} // namespace PoString
