#pragma once

#include <QIODevice>

// Takes the first bytes written to it, then refuses as a full disk would.
class FailingDevice : public QIODevice
{
public:
    explicit FailingDevice(qint64 room) : m_room(room) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 size) override
    {
        if (size > m_room) {
            setErrorString(QStringLiteral("disk full"));
            return -1;
        }
        m_room -= size;
        return size;
    }

private:
    qint64 m_room;
};
