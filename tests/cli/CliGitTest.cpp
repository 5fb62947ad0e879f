// The README's git set-up, with a real git: the diff and merge drivers as documented.
#include "cli/CliFixture.h"
#include "support/QtPrinters.h"

#include <QProcess>
#include <QStandardPaths>

namespace
{

class CliGitTest : public CliFixture
{
protected:
    void SetUp() override
    {
        CliFixture::SetUp();
        m_git = QStandardPaths::findExecutable(QStringLiteral("git"));
        if (m_git.isEmpty())
            GTEST_SKIP() << "no git";
        QDir().mkpath(QStringLiteral("repo"));
        git({QStringLiteral("init"), QStringLiteral("-q"), QStringLiteral("-b"), QStringLiteral("main")});
        git({QStringLiteral("config"), QStringLiteral("user.name"), QStringLiteral("Modder")});
        git({QStringLiteral("config"), QStringLiteral("user.email"), QStringLiteral("modder@example.org")});
        const QString program = QStringLiteral("\"%1\"").arg(QStringLiteral(SCRIVLET_CLI));
        git({QStringLiteral("config"), QStringLiteral("diff.npc.textconv"), program + QStringLiteral(" dump --")});
        git({QStringLiteral("config"), QStringLiteral("merge.npc.driver"),
             program + QStringLiteral(" merge --name %P -- %O %A %B")});
        writeFile(QStringLiteral("repo/.gitattributes"), "*.npc diff=npc merge=npc\n");
        smith[0] = plain();
        smith[1] = plain();
    }

    std::pair<int, QString> git(const QStringList &arguments)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), dir.path());
        environment.insert(QStringLiteral("GIT_CONFIG_NOSYSTEM"), QStringLiteral("1"));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(dir.filePath(QStringLiteral("repo")));
        process.start(m_git, arguments);
        EXPECT_TRUE(process.waitForFinished(-1));
        return {process.exitCode(),
                QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError())};
    }

    void commit(const QString &name, const NpcRecords &records)
    {
        writeScript(QStringLiteral("repo/") + name, records);
        git({QStringLiteral("add"), QStringLiteral("--"), name});
        git({QStringLiteral("commit"), QStringLiteral("-qm"), QStringLiteral("edit")});
    }

    // Theirs on a branch of its own, ours on main, then theirs merged into ours.
    std::pair<int, QString> merge(const QString &name, const QString &branch, const NpcRecords &theirs,
                                  const NpcRecords &ours)
    {
        git({QStringLiteral("checkout"), QStringLiteral("-qb"), branch});
        commit(name, theirs);
        git({QStringLiteral("checkout"), QStringLiteral("-q"), QStringLiteral("main")});
        commit(name, ours);
        return git({QStringLiteral("merge"), branch});
    }

    NpcRecords read(const QString &path) const
    {
        NpcReader reader;
        EXPECT_TRUE(reader.read(path)) << path.toStdString();
        return reader.records();
    }

    NpcRecords smith{};

private:
    QString m_git;
};

} // namespace

// Two edits of different records merge, two edits of one field are a conflict, and the
// script reads either way.
TEST_F(CliGitTest, MergesScriptsThroughTheDriver)
{
    commit(QStringLiteral("057.npc"), smith);
    NpcRecords theirs = smith;
    theirs[1].Leader = 30;
    NpcRecords ours = smith;
    ours[0].FDay = 5;
    const auto clean = merge(QStringLiteral("057.npc"), QStringLiteral("theirs"), theirs, ours);
    EXPECT_EQ(clean.first, 0) << clean.second.toStdString();
    NpcRecords both = ours;
    both[1].Leader = 30;
    EXPECT_EQ(read(QStringLiteral("repo/057.npc")), both);

    NpcRecords other = both;
    other[0].FDay = 7;
    NpcRecords mine = both;
    mine[0].FDay = 8;
    const auto conflict = merge(QStringLiteral("057.npc"), QStringLiteral("other"), other, mine);
    EXPECT_NE(conflict.first, 0);
    EXPECT_TRUE(conflict.second.contains(QStringLiteral("0 FDay: base 5, ours 8, theirs 7")))
        << conflict.second.toStdString();
    EXPECT_EQ(read(QStringLiteral("repo/057.npc")), mine);
}

// Names that look like options, or hold blanks and Cyrillic letters, reach the program as
// names.
TEST_F(CliGitTest, DiffAndMergeTakeAnyFileName)
{
    int branch = 0;
    for (const QString &name : {QStringLiteral("-x.npc"), QStringLiteral("--format=json.npc"),
                                QStringLiteral("Кузнец и сын.npc")}) {
        commit(name, smith);
        NpcRecords changed = smith;
        changed[0].FDay = 5;
        writeScript(QStringLiteral("repo/") + name, changed);
        const auto diff = git({QStringLiteral("diff")});
        EXPECT_EQ(diff.first, 0) << name.toStdString();
        EXPECT_TRUE(diff.second.contains(QStringLiteral("+    FDay=5"))) << diff.second.toStdString();
        git({QStringLiteral("checkout"), QStringLiteral("-q"), QStringLiteral("--"), name});

        NpcRecords theirs = smith;
        theirs[1].Leader = 30;
        NpcRecords both = changed;
        both[1].Leader = 30;
        const auto merged = merge(name, QStringLiteral("b%1").arg(++branch), theirs, changed);
        EXPECT_EQ(merged.first, 0) << name.toStdString() << merged.second.toStdString();
        EXPECT_EQ(read(QStringLiteral("repo/") + name), both) << name.toStdString();
    }
}
