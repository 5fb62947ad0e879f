#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QTemporaryDir>

#include <thread>

#include <gtest/gtest.h>

namespace
{

QString cancelButton()
{
    return QCoreApplication::translate("QPlatformTheme", "Cancel");
}

} // namespace

// Nothing is read as the catalog is installed; the first word asked for reads it, from
// whichever thread asks first.
TEST(QtTranslationsTest, QtsWordsAreRussianFromTheFirstAskedOnAnyThread)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFile::exists(folder + QStringLiteral("/qtbase_ru.qm")))
        GTEST_SKIP() << "no Qt Russian catalog in " << folder.toStdString()
                     << " (on Debian: package qt6-translations-l10n)";
    QtTranslations translations(folder);
    translations.install();
    EXPECT_FALSE(translations.isRead());

    QString inOtherThread;
    std::thread other([&inOtherThread] { inOtherThread = cancelButton(); });
    const QString here = cancelButton();
    other.join();
    EXPECT_EQ(here, QStringLiteral("Отмена"));
    EXPECT_EQ(inOtherThread, here);
    EXPECT_TRUE(translations.isRead());
}

TEST(QtTranslationsTest, WithoutTheCatalogQtsWordsStayAsQtHasThem)
{
    const QTemporaryDir empty;
    QtTranslations translations(empty.path());
    translations.install();
    EXPECT_EQ(cancelButton(), QStringLiteral("Cancel"));
    EXPECT_TRUE(translations.isRead());
    EXPECT_TRUE(translations.isEmpty());
}
