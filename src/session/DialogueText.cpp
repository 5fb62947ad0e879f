#include "session/DialogueText.h"

#include "common/FileMessages.h"
#include "dialogue/EdtExport.h"
#include "dialogue/EdtReader.h"
#include "session/ScriptDisk.h"

DialogueText::DialogueText(WatchedFile &file, QObject *parent) : QObject(parent), m_file(file) {}

QString DialogueText::path() const
{
    return m_file.path();
}

SessionResult DialogueText::read(const QString &path)
{
    FileStamp stamp;
    EdtReader reader;
    if (!reader.read(path, &stamp))
        return SessionResult::failure(readProblemText(path));
    m_text = reader.takeText();
    m_file.take(path, stamp);
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
    m_file.take(path, {});
    const SessionResult loaded = read(path);
    emit changed();
    return loaded;
}

void DialogueText::forget(bool loaded)
{
    m_file.forget();
    m_text.clear();
    m_loaded = loaded;
    emit replaced();
}

void DialogueText::setWritten(const QString &path, const QByteArray &bytes)
{
    m_file.take(path, FileStamp::ofWritten(path, bytes));
    m_loaded = true;
}

void DialogueText::takeRecovered(const EdtText &text, const QString &path)
{
    forget(true);
    m_text = text;
    m_file.take(path, FileStamp::of(path));
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
