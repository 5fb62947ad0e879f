// The manual and the program's man pages against the program: a command of the
// command line or a key added without a word in all three fails here.
#include "support/AppFixture.h"
#include "support/CliHelp.h"

#include <QAction>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

namespace
{

QStringList cliCommands()
{
    QProcess cli;
    cli.start(QStringLiteral(SCRIVLET_CLI), {QStringLiteral("--help")});
    EXPECT_TRUE(cli.waitForFinished(-1));
    return commandsListedIn(QString::fromUtf8(cli.readAllStandardOutput()));
}

// A page as its reader sees the words: no tags, no font changes, "\-" as "-".
QString readable(const QString &path)
{
    QFile file(QStringLiteral(SCRIVLET_SOURCE_DIR "/") + path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QString text = QString::fromUtf8(file.readAll());
    text.remove(QRegularExpression(QStringLiteral("<[^>]*>|\\\\f[BIRP]|\\\\&")));
    text.replace(QStringLiteral("\\-"), QStringLiteral("-"));
    text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return text;
}

// "Insert" and "Delete" as the key caps name them, not Qt's "Ins" and "Del".
QString keyText(const QKeySequence &keys)
{
    const QString text = keys.toString(QKeySequence::PortableText);
    if (text == QLatin1String("Ins"))
        return QStringLiteral("Insert");
    if (text == QLatin1String("Del"))
        return QStringLiteral("Delete");
    return text;
}

class DocumentationTest : public AppFixture, public ::testing::WithParamInterface<const char *>
{
};

} // namespace

TEST_P(DocumentationTest, NamesEveryCommandOfTheCommandLineAndEveryKey)
{
    start();
    const QString page = readable(QLatin1String(GetParam()));
    const QStringList commands = cliCommands();
    ASSERT_GE(commands.size(), 12);
    for (const QString &command : commands) {
        const QRegularExpression word(QStringLiteral("(?<![\\w-])") + command + QStringLiteral("(?![\\w-])"));
        EXPECT_TRUE(page.contains(word)) << command.toStdString();
    }
    int keys = 0;
    for (const QAction *action : main().findChildren<QAction *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (action->shortcut().isEmpty() || action->objectName().isEmpty())
            continue;
        ++keys;
        QString caption = action->text();
        if (caption.endsWith(QStringLiteral("...")))
            caption.chop(3);
        const QString key = keyText(action->shortcut());
        // The key near the caption, as in a table row or a list entry.
        bool together = false;
        for (qsizetype at = page.indexOf(caption); at >= 0 && !together; at = page.indexOf(caption, at + 1))
            together = page.mid(std::max<qsizetype>(0, at - 40), caption.size() + 80).contains(key);
        EXPECT_TRUE(together) << action->objectName().toStdString() << ": " << key.toStdString();
    }
    EXPECT_GE(keys, 35);
}

INSTANTIATE_TEST_SUITE_P(Pages, DocumentationTest,
                         ::testing::Values("doc/manual.html", "man/scrivlet.1.in", "man/ru/scrivlet.1.in"));
