#pragma once

#include "dialogue/EdtText.h"
#include "session/SessionResult.h"

#include <QObject>

class WatchedFile;

// The dialogue text of the open script and the file it comes from. The file itself, as
// read and written, is watched by the session's disk room.
class DialogueText : public QObject
{
    Q_OBJECT
public:
    explicit DialogueText(WatchedFile &file, QObject *parent = nullptr);

    const EdtText &text() const { return m_text; }
    // The dialogue file that belongs to the open script; empty when none does.
    QString path() const;
    // A text was read since the script was started or taken without one: what can be
    // shown, reloaded and exported.
    bool isLoaded() const { return m_loaded; }

    // Replaces the text with the file's and makes it the dialogue file; on failure
    // nothing changes.
    SessionResult load(const QString &path);
    SessionResult reload() { return load(path()); }
    // Another file: the old text is gone even when the new one cannot be read.
    SessionResult import(const QString &path);
    // No text and no file, as for a script that has none.
    void clear();
    // A new script: nothing to show, reload or export until a text is read.
    void reset();
    SessionResult exportTo(const QString &path) const;

    // --- Steps without the signal, for the session, which says once what a command
    // changed (announce()).
    SessionResult read(const QString &path);
    void forget(bool loaded);
    // An edited text, or the file it was just written to (noted as this program's version).
    void setText(const EdtText &text) { m_text = text; }
    void setWritten(const QString &path, const QByteArray &bytes);
    // Unsaved text kept from an editor that ended, belonging to that file.
    void takeRecovered(const EdtText &text, const QString &path);
    void announce() { emit changed(); }

signals:
    void changed();
    // The text was read from a file or dropped, not edited: the session's history and
    // its saved point follow it.
    void replaced();

private:
    WatchedFile &m_file;
    EdtText m_text;
    bool m_loaded = false;
};
