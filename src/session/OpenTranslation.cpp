#include "session/OpenTranslation.h"

#include "common/FileMessages.h"
#include "common/Windows1251.h"
#include "translation/PoReader.h"
#include "translation/PoWriter.h"

#include <QDir>

SessionResult OpenTranslation::open(const QString &path)
{
    PoReader reader;
    if (!reader.read(path))
        return SessionResult::failure(readProblemText(QDir::toNativeSeparators(path)) + QStringLiteral(":\r\n") +
                                      reader.errorString());
    m_catalogue = reader.takeCatalogue();
    m_path = path;
    m_modified = false;
    emit changed();
    return {};
}

SessionResult OpenTranslation::save()
{
    PoWriter writer;
    if (!writer.write(m_catalogue, m_path))
        return SessionResult::failure(writeFailureText(m_path, writer.errorString()));
    m_modified = false;
    emit changed();
    return {};
}

void OpenTranslation::close()
{
    m_catalogue = {};
    m_path.clear();
    m_modified = false;
    emit changed();
}

QString OpenTranslation::translationOf(const QString &fileName, const QByteArray &line) const
{
    const qsizetype entry = lookUp(fileName, line).entry;
    return entry < 0 ? QString() : m_catalogue.entries.at(entry).translation();
}

SessionResult OpenTranslation::setTranslation(const QString &fileName, qsizetype k, const QByteArray &line,
                                              const QString &text)
{
    const LineLookup lookup = lookUp(fileName, line);
    if (!lookup.counted)
        return SessionResult::failure(QStringLiteral("Пустую строку не переводят."));
    if (!text.isEmpty()) {
        QByteArray bytes;
        if (const QString problem = translationProblem(text, bytes); !problem.isEmpty())
            return SessionResult::failure(problem);
    }
    qsizetype entry = lookup.entry;
    if (entry < 0) {
        if (text.isEmpty())
            return {};
        PoEntry added;
        added.hasContext = true;
        added.context = fileName;
        added.id = fromWindows1251(line);
        added.comments << "#: " + fileName.toUtf8() + ':' + QByteArray::number(k);
        entry = m_catalogue.append(added);
    } else if (m_catalogue.entries.at(entry).translation() == text && lookup.state != LineTranslation::Fuzzy) {
        return {};
    }
    m_catalogue.setTranslation(entry, text);
    m_modified = true;
    emit changed();
    return {};
}
