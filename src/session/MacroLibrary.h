#pragma once

#include "document/NpcRecord.h"
#include "macros/MacroStore.h"
#include "session/SessionResult.h"

#include <QObject>

// The record templates and their file.
class MacroLibrary : public QObject
{
    Q_OBJECT
public:
    explicit MacroLibrary(const QString &path, QObject *parent = nullptr);

    const MacroStore &macros() const { return m_macros; }
    QString path() const { return m_path; }

    // Reads the macro file when it exists.
    SessionResult load();
    // Appends the record under a name and writes the file; a macro that cannot be written
    // is taken back out.
    SessionResult add(const QByteArray &name, const NpcRecord &record);
    void rename(int position, const QByteArray &name);
    void remove(int position);
    void exchange(int first, int second);
    SessionResult save();

signals:
    void changed();
    // The macro file was read or written: it holds the macros as they are now.
    void saved();

private:
    QString m_path;
    MacroStore m_macros;
};
