#include "dialogue/EdtExport.h"

#include "common/SaveFile.h"

#include <QIODevice>

QByteArray Edt2Txt(const EdtText &text)
{
    static constexpr char LineEnd[] = "\r\n";
    qsizetype size = 0;
    for (const QByteArray &line : text)
        size += line.size() + 16;
    QByteArray result;
    result.reserve(size);
    for (qsizetype i = 0; i < text.size(); ++i) {
        result += '#';
        result += QByteArray::number(i);
        result += LineEnd;
        result += text.at(i);
        result += LineEnd;
        result += LineEnd;
    }
    return result;
}

bool EdtTxtWriter::write(const EdtText &text, QIODevice *device)
{
    const QByteArray bytes = Edt2Txt(text);
    if (device->write(bytes) != bytes.size()) {
        m_error = device->errorString();
        return false;
    }
    return true;
}

bool EdtTxtWriter::write(const EdtText &text, const QString &path)
{
    return saveFile(path, m_error, [&](QIODevice *device) { return write(text, device); });
}
