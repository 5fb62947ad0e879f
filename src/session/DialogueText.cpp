#include "session/DialogueText.h"

#include "common/FileMessages.h"
#include "dialogue/EdtExport.h"
#include "dialogue/EdtReader.h"

SessionResult DialogueText::read(const QString &path)
{
    FileStamp stamp;
    EdtReader reader;
    if (!reader.read(path, &stamp))
        return SessionResult::failure(readProblemText(path));
    m_text = reader.takeText();
    m_path = path;
    m_stamp = m_seen = stamp;
    m_loaded = true;
    emit replaced();
    return {};
}

SessionResult DialogueText::load(const QString &path)
{
    const SessionResult loaded = read(path);
    if (loaded)
        emit changed();
    return loaded;
}

SessionResult DialogueText::import(const QString &path)
{
    forget(m_loaded);
    m_path = path;
    const SessionResult loaded = read(path);
    emit changed();
    return loaded;
}

void DialogueText::forget(bool loaded)
{
    m_path.clear();
    m_text.clear();
    m_stamp = m_seen = {};
    m_loaded = loaded;
    emit replaced();
}

void DialogueText::setText(const EdtText &text)
{
    m_text = text;
}

void DialogueText::setWritten(const QString &path, const QByteArray &bytes)
{
    m_path = path;
    m_loaded = true;
    m_stamp = m_seen = FileStamp::ofWritten(path, bytes);
}

void DialogueText::clear()
{
    forget(m_loaded);
    emit changed();
}

void DialogueText::reset()
{
    forget(false);
    emit changed();
}

SessionResult DialogueText::exportTo(const QString &path) const
{
    EdtTxtWriter writer;
    if (writer.write(m_text, path))
        return {};
    return SessionResult::failure(writeFailureText(path, writer.errorString()));
}
