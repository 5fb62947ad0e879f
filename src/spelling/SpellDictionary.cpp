#include "spelling/SpellDictionary.h"

#include "common/RegularFile.h"
#include "spelling/HunspellLibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace
{

// Far above any dictionary shipped (Russian's is 3.5 MB).
constexpr qint64 MaxDictionarySize = 64 * 1024 * 1024;

bool isLanguageName(const QString &language)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z]{2,3}(_[A-Za-z0-9]{2,8})?$"));
    return pattern.match(language).hasMatch();
}

// Whether the file can be read, and is small enough; Hunspell itself only prints why not.
bool readable(const QString &path, QString &error)
{
    QFile file(path);
    if (!RegularFile::open(file, error))
        return false;
    if (file.size() > MaxDictionarySize) {
        error = RegularFile::tooLargeText(MaxDictionarySize);
        return false;
    }
    return true;
}

// The dictionary's SET line; Hunspell takes ISO8859-1 when there is none.
QByteArray declaredEncoding(const QString &affPath)
{
    QFile file(affPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    for (int i = 0; i < 200 && !file.atEnd(); ++i) {
        const QByteArray line = file.readLine(4096).trimmed();
        if (line.startsWith("SET "))
            return line.mid(4).trimmed().toUpper();
    }
    return "ISO8859-1";
}

// Hunspell opens files by narrow names: on Windows the ANSI code page cannot spell every
// folder (a Cyrillic user name), so the path goes as \\?\ and UTF-8, which it opens wide.
QByteArray hunspellPath(const QString &path)
{
#ifdef Q_OS_WIN
    return "\\\\?\\" + QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()).toUtf8();
#else
    return QFile::encodeName(path);
#endif
}

} // namespace

SpellDictionary::SpellDictionary() = default;
SpellDictionary::~SpellDictionary() = default;

QStringList SpellDictionary::standardFolders()
{
    QStringList folders;
    if (QCoreApplication::instance())
        folders << QCoreApplication::applicationDirPath() + QStringLiteral("/dictionaries");
#ifndef Q_OS_WIN
    folders << QStringLiteral("/usr/share/hunspell") << QStringLiteral("/usr/share/myspell")
            << QStringLiteral("/usr/share/myspell/dicts");
#endif
    return folders;
}

QStringList SpellDictionary::installed(const QStringList &folders)
{
    QStringList languages;
    for (const QString &folder : folders) {
        for (const QString &file : QDir(folder).entryList({QStringLiteral("*.dic")}, QDir::Files))
            languages << file.chopped(4);
    }
    languages.removeDuplicates();
    languages.sort();
    return languages;
}

QString SpellDictionary::nameFor(const QString &language, const QStringList &folders)
{
    if (language.contains(u'_'))
        return language;
    for (const QString &name : installed(folders)) {
        if (name.startsWith(language + u'_'))
            return name;
    }
    return language;
}

QString SpellDictionary::packageFor(const QString &language)
{
    return QStringLiteral("hunspell-") +
           (language == QLatin1String("ru_RU") ? QStringLiteral("ru") : language.toLower().replace(u'_', u'-'));
}

bool SpellDictionary::load(const QString &language, const QStringList &folders)
{
    m_hunspell.reset();
    m_language = language;
    if (!isLanguageName(language)) {
        m_error = QStringLiteral("«%1» — не название языка словаря (нужно вроде ru_RU).").arg(language);
        return false;
    }
    for (const QString &folder : folders) {
        const QString aff = QDir(folder).filePath(language + QStringLiteral(".aff"));
        const QString dic = QDir(folder).filePath(language + QStringLiteral(".dic"));
        if (!QFileInfo::exists(aff) && !QFileInfo::exists(dic))
            continue;
        QString reason;
        for (const QString &path : {aff, dic}) {
            if (!readable(path, reason)) {
                m_error = QStringLiteral("Словарь %1 не прочитать: %2: %3").arg(language, QDir::toNativeSeparators(path), reason);
                return false;
            }
        }
        if (const QByteArray encoding = declaredEncoding(aff); encoding != "UTF-8") {
            m_error = QStringLiteral("Словарь %1 в кодировке %2, а читаются словари в UTF-8: %3")
                          .arg(language, QString::fromLatin1(encoding), QDir::toNativeSeparators(aff));
            return false;
        }
        const HunspellLibrary *hunspell = HunspellLibrary::loaded();
        if (!hunspell) {
            m_error = HunspellLibrary::loadError();
            return false;
        }
        m_hunspell.reset(hunspell->create(hunspellPath(aff).constData(), hunspellPath(dic).constData()));
        m_error.clear();
        return true;
    }
#ifdef Q_OS_WIN
    m_error = QStringLiteral("Нет словаря %1 для проверки орфографии: положите файлы %1.aff и %1.dic в папку %2.")
                  .arg(language, QDir::toNativeSeparators(folders.value(0)));
#else
    m_error = QStringLiteral("Нет словаря %1 для проверки орфографии: установите пакет %2.")
                  .arg(language, packageFor(language));
#endif
    return false;
}

// A loaded dictionary means a loaded library.
void SpellDictionary::Close::operator()(Hunhandle *handle) const
{
    HunspellLibrary::loaded()->destroy(handle);
}

bool SpellDictionary::spell(const QString &word) const
{
    return m_hunspell && HunspellLibrary::loaded()->spell(m_hunspell.get(), word.toUtf8().constData()) != 0;
}

QStringList SpellDictionary::suggest(const QString &word) const
{
    QStringList list;
    if (!m_hunspell)
        return list;
    const HunspellLibrary *hunspell = HunspellLibrary::loaded();
    char **suggestions = nullptr;
    const int count = hunspell->suggest(m_hunspell.get(), &suggestions, word.toUtf8().constData());
    for (int i = 0; i < count; ++i)
        list << QString::fromUtf8(suggestions[i]);
    hunspell->freeList(m_hunspell.get(), &suggestions, count);
    return list;
}

void SpellDictionary::add(const QString &word)
{
    if (m_hunspell)
        HunspellLibrary::loaded()->add(m_hunspell.get(), word.toUtf8().constData());
}
