#include "editor/ReferenceList.h"

#include <QFile>
#include <QFileInfo>

bool ReferenceList::readFile(const QString &path)
{
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        return false;
    appendText(file.readAll());
    return true;
}

void ReferenceList::appendText(const QByteArray &bytes)
{
    const qsizetype eof = bytes.indexOf('\x1a');
    const QByteArray text = eof < 0 ? bytes : bytes.left(eof);
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        QByteArray line = text.mid(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty() && !line.contains(';'))
            m_entries.append(line);
        start = end + 1;
    }
}

QByteArray ReferenceList::numberText(int index) const
{
    const QByteArray &e = m_entries.at(index);
    const qsizetype eq = e.indexOf('=');
    return eq < 0 ? QByteArray() : e.left(eq);
}

QByteArray ReferenceList::name(int index) const
{
    const QByteArray &e = m_entries.at(index);
    const qsizetype eq = e.indexOf('=');
    return eq < 0 ? e : e.mid(eq + 1);
}

int ReferenceList::indexOfText(const QByteArray &numberText) const
{
    if (numberText.isEmpty())
        return -1;
    for (int i = 0; i < m_entries.size(); ++i) {
        const QByteArray &e = m_entries.at(i);
        if (e.size() > numberText.size() && e.startsWith(numberText) && e.at(numberText.size()) == '=')
            return i;
    }
    return -1;
}

QByteArray ReferenceList::nameOf(qint64 number) const
{
    const int index = indexOf(number);
    return index < 0 ? QByteArray() : name(index);
}

QByteArray ReferenceList::comboText(int index) const
{
    const QByteArray n = name(index);
    return numberText(index) + ". " + (n.isEmpty() ? QByteArray("?") : n);
}

quint16 ReferenceList::MaxNumber(quint16 fallback) const
{
    if (m_entries.isEmpty())
        return fallback;
    bool ok = false;
    const qlonglong value = numberText(count() - 1).toLongLong(&ok, 10);
    return ok ? static_cast<quint16>(static_cast<quint64>(value) & 0xFFFFu) : fallback;
}
