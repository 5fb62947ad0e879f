#include "app/QtTranslations.h"

#include <QGuiApplication>
#include <QLocale>

QtTranslations::QtTranslations(const QString &folder) : m_folder(folder)
{
}

QtTranslations::~QtTranslations()
{
    QCoreApplication::removeTranslator(this);
}

void QtTranslations::install()
{
    QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    QCoreApplication::installTranslator(this);
}

namespace
{
// Reading the catalog may ask for a word itself (the text of an error in opening it).
thread_local bool reading = false;
} // namespace

QString QtTranslations::translate(const char *context, const char *sourceText, const char *disambiguation,
                                  int n) const
{
    if (reading)
        return {};
    return catalog().translate(context, sourceText, disambiguation, n);
}

bool QtTranslations::isEmpty() const
{
    // Unread is not empty: Qt reports installing an empty catalog as a failure.
    return m_read && m_catalog.isEmpty();
}

const QTranslator &QtTranslations::catalog() const
{
    // A catalog that cannot be read leaves Qt's words in English, as Qt shows them.
    std::call_once(m_reading, [this] {
        reading = true;
        (void)m_catalog.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"), m_folder);
        reading = false;
        m_read = true;
    });
    return m_catalog;
}
