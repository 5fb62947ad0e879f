#pragma once

#include "document/NpcScriptDocument.h"
#include "editor/FolderLinks.h"

#include <QList>
#include <QObject>

#include <optional>

// Where links lead: the other scripts of the open script's folder, the records that
// lead to a record, and the places a followed link was followed from.
class LinkNavigation : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Where a record hands control to.
    struct LinkTarget {
        bool local = true;
        quint8 npc = NoneByte;
        int record = 0;
        QString path; // the other character's script; empty when the folder has none
    };
    // A record of a script, to go back to.
    struct Place {
        QString path;
        int record = 0;
    };
    // The records that lead to one: "Ссылки на запись 5: 0, 3; #112: 4, 9".
    struct Incoming {
        QString text;
        QString list;   // the records alone: "0, 3; #112: 4, 9"
        QString others; // those of the other scripts: "#112: 4, 9"
        int count = 0;  // the records named
    };

    // Reads the folder of the script at `path`, whose own number is `ownNumber`; a script
    // without a file has none.
    void readFolder(const QString &path, quint8 ownNumber);
    void forgetFolder() { m_folder.clear(); }
    const FolderLinks &folder() const { return m_folder; }
    QString folderPath() const { return m_folder.folderPath(); }

    // Nothing when the record has no link.
    std::optional<LinkTarget> linkOf(const NpcRecord &record, quint8 ownNumber) const;
    // Where a link to that record of another character leads.
    LinkTarget toOtherScript(quint8 npc, int record) const;
    // The records, here and in the other scripts of the folder, that hand control to
    // record `target` of this script, which was record `savedTarget` of the file the other
    // scripts know (-1: none of it).
    Incoming incomingTo(int target, const NpcRecords &records, quint8 ownNumber, int savedTarget) const;

    void rememberPlace(const Place &place);
    std::optional<Place> lastPlace() const;
    void forgetLastPlace();
    bool canGoBack() const { return !m_places.isEmpty(); }

signals:
    void changed();

private:
    FolderLinks m_folder;
    QList<Place> m_places;
};
