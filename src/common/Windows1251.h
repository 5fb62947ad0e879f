#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The game's files are Windows-1251 on every platform; only display decodes them.
QString fromWindows1251(QByteArrayView bytes);
QByteArray toWindows1251(const QString &text);
// The index of the first character the code page has no byte for (or that encoding leaves
// out, as a zero-width space); -1 when every character has its byte.
qsizetype firstUnencodable1251(const QString &text);

// The bytes with every letter in the case Unicode folds it to, where Windows-1251 has
// that letter; for matching names in any letter case without decoding them.
QByteArray foldCase1251(QByteArrayView bytes);
// The same into `result`, whose buffer is reused: for folding many names in a row.
void foldCase1251(QByteArrayView bytes, QByteArray &result);
