#include "session/MacroLibrary.h"

#include "common/FileMessages.h"
#include "macros/MacroEntry.h"
#include "macros/MacroFile.h"

#include <QFileInfo>

MacroLibrary::MacroLibrary(const QString &path, QObject *parent) : QObject(parent), m_path(path)
{
}

SessionResult MacroLibrary::load()
{
    if (!QFileInfo::exists(m_path))
        return {};
    MacroReader reader;
    if (!reader.read(m_path))
        return SessionResult::failure(openFailureText(m_path, reader.errorString()));
    m_macros.setEntries(reader.entries());
    emit changed();
    emit saved();
    return {};
}

SessionResult MacroLibrary::add(const QByteArray &name, const NpcRecord &record)
{
    m_macros.append(MacroEntry::form(name, record));
    if (SessionResult written = save(); !written) {
        // Saving again must not leave a second copy behind.
        m_macros.removeLast();
        return written;
    }
    emit changed();
    return {};
}

void MacroLibrary::rename(int position, const QByteArray &name)
{
    m_macros.rename(position, name);
    emit changed();
}

void MacroLibrary::remove(int position)
{
    m_macros.removeAt(position);
    emit changed();
}

void MacroLibrary::exchange(int first, int second)
{
    m_macros.exchange(first, second);
    emit changed();
}

SessionResult MacroLibrary::save()
{
    MacroWriter writer;
    if (!writer.write(m_macros.entries(), m_path))
        return SessionResult::failure(writeFailureText(m_path, writer.errorString()));
    emit saved();
    return {};
}
