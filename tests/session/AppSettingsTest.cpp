#include "session/AppSettings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A settings file comes with a stranger's mod as easily as a script: a relative editor
// path would start whatever program the mod ships.
TEST(AppSettings, StartsOnlyAnEditorNamedByItsFullPath)
{
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("tools/edit"));
    struct Case {
        QString setting;
        bool starts;
    };
    const Case cases[] = {
        {QStringLiteral("tools/edit"), false},
        {QStringLiteral("./tools/../tools/edit"), false},
        {QStringLiteral("edit"), false},
        {program, true},
        {dir.path() + QStringLiteral("/tools/./edit"), true},
    };
    for (const Case &c : cases) {
        QFile ini(dir.filePath(QStringLiteral("scrivlet.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Config]\r\nEdtEditor=" + QFile::encodeName(c.setting) + "\r\n");
        ini.close();
        const AppSettings settings(dir.path());
        QString started;
        const SessionResult result = settings.editorToStart(started);
        EXPECT_EQ(result.ok, c.starts) << c.setting.toStdString();
        if (c.starts) {
            EXPECT_EQ(started, program);
        } else {
            EXPECT_TRUE(result.message.contains(QStringLiteral("неполный путь"))) << result.message.toStdString();
            EXPECT_TRUE(result.message.contains(QDir::toNativeSeparators(c.setting)));
            EXPECT_TRUE(started.isEmpty());
        }
    }
}
