#pragma once

#include "dialogue/EdtText.h"
#include "session/SessionResult.h"
#include "translation/DialogueTranslation.h"
#include "translation/PoCatalogue.h"

#include <QObject>

// The translation file open beside the dialogue text: its entries, what was changed
// since it was read, and the one way to write it back.
class OpenTranslation : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    bool isOpen() const { return !m_path.isEmpty(); }
    bool isModified() const { return m_modified; }
    QString path() const { return m_path; }
    const PoCatalogue &catalogue() const { return m_catalogue; }

    // Replaces what is open with the file's entries; on failure nothing changes.
    SessionResult open(const QString &path);
    // Writes the file: every entry not changed as it was read.
    SessionResult save();
    void close();

    LineLookup lookUp(const QString &fileName, const QByteArray &line) const
    {
        return lookUpLine(m_catalogue, fileName, line);
    }
    QString translationOf(const QString &fileName, const QByteArray &line) const;
    // The translation of a line of the dialogue file, number k there; refused when the
    // game could not show it. A line the file has no entry for gets one.
    SessionResult setTranslation(const QString &fileName, qsizetype k, const QByteArray &line,
                                 const QString &text);

signals:
    void changed();

private:
    PoCatalogue m_catalogue;
    QString m_path;
    bool m_modified = false;
};
