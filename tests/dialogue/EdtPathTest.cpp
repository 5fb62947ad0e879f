#include "dialogue/EdtPath.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace
{

class ScriptBesideTest : public ::testing::Test
{
protected:
    QString make(const QString &name)
    {
        QFile file(m_dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return file.fileName();
    }
    QString path(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

TEST_F(ScriptBesideTest, SameNameWithTheScriptExtensionInAnyLetterCase)
{
    EXPECT_EQ(scriptBeside(path(QStringLiteral("057.edt"))), QString());
    make(QStringLiteral("57.npc"));
    make(QStringLiteral("057.npc.bak"));
    QDir(path({})).mkdir(QStringLiteral("058.npc")); // a folder is no script
    EXPECT_EQ(scriptBeside(path(QStringLiteral("057.edt"))), QString());
    EXPECT_EQ(scriptBeside(path(QStringLiteral("058.edt"))), QString());

    const QString upper = make(QStringLiteral("057.NPC"));
    EXPECT_EQ(scriptBeside(path(QStringLiteral("057.edt"))), upper);
    EXPECT_EQ(scriptBeside(path(QStringLiteral("057.EDT"))), upper);
#ifndef Q_OS_WIN // where two names cannot differ in letter case only
    const QString exact = make(QStringLiteral("057.npc"));
    EXPECT_EQ(scriptBeside(path(QStringLiteral("057.edt"))), exact) << "the name as written comes first";
#endif
}

} // namespace
