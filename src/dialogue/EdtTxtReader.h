#pragma once

#include "dialogue/EdtText.h"

#include <QByteArray>
#include <QString>

// Reads the export form back into a dialogue text: for each phrase from 0 on, a line
// "#N", the phrase and an empty line, lines ended by CR LF (or LF alone, as an editor
// may leave them). Any number of empty lines at the end, none included, is let pass. An
// error names the line of the file and leaves the text read before.
class EdtTxtReader
{
public:
    enum class Encoding { Windows1251, Utf8 };

    // The export of the largest dialogue file read, in UTF-8, with room to spare.
    static constexpr qint64 MaxFileSize = 128 * 1024 * 1024;

    bool parse(const QByteArray &bytes, Encoding encoding);
    bool read(const QString &path, Encoding encoding);

    const EdtText &text() const { return m_text; }
    QString errorString() const { return m_error; }

private:
    EdtText m_text;
    QString m_error;
};
