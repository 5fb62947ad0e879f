#pragma once

#include "dialogue/EdtText.h"

#include <QString>

class QIODevice;

// The numbered plain text of all lines: "#i", the line and an empty line, each ended by
// CR LF; empty for no lines. The bytes of the lines are kept as they are.
QByteArray Edt2Txt(const EdtText &text);

// Writes the export of a dialogue text. The path overload replaces the file only once
// every byte is written.
class EdtTxtWriter
{
public:
    bool write(const EdtText &text, QIODevice *device);
    bool write(const EdtText &text, const QString &path);

    QString errorString() const { return m_error; }

private:
    QString m_error;
};
