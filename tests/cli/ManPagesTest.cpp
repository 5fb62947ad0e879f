// The manual pages of scrivlet-cli, English and Russian, against the program's own help:
// a command or an option added to the program without a word in both pages fails here.
#include "cli/Cli.h"
#include "support/CliHelp.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>

namespace
{

QString help(const QStringList &arguments)
{
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    EXPECT_EQ(runCli(arguments, out, err), 0) << err.data().constData();
    return QString::fromUtf8(out.data());
}

QStringList listedCommands()
{
    return commandsListedIn(help({QStringLiteral("--help")}));
}

QSet<QString> optionsIn(const QString &text)
{
    static const QRegularExpression option(
        QStringLiteral("(?<![\\w-])(--[a-z0-9][a-z0-9-]*|-[a-z])(?![\\w-])"));
    QSet<QString> options;
    for (const auto &match : option.globalMatch(text))
        options << match.captured(1);
    return options;
}

// A page as its reader sees the words: no font changes, "\-" as "-".
struct ManPage {
    QString whole;
    QMap<QString, QString> commandSections; // .SS name -> its text

    explicit ManPage(const QString &path)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        QString text = QString::fromUtf8(file.readAll());
        text.replace(QStringLiteral("\\-"), QStringLiteral("-"));
        text.remove(QRegularExpression(QStringLiteral("\\\\f[BIRP]|\\\\&")));
        QString *section = nullptr;
        for (const QString &line : text.split(QLatin1Char('\n'))) {
            if (line.startsWith(QStringLiteral(".\\\"")))
                continue;
            if (line.startsWith(QStringLiteral(".SH ")))
                section = nullptr;
            if (line.startsWith(QStringLiteral(".SS "))) {
                const QString name = line.mid(4).remove(QLatin1Char('"')).trimmed();
                section = &commandSections[name];
                continue;
            }
            whole += line + QLatin1Char('\n');
            if (section)
                *section += line + QLatin1Char('\n');
        }
    }
};

class ManPagesTest : public ::testing::TestWithParam<const char *>
{
};

TEST_P(ManPagesTest, EveryCommandAndOptionOfTheHelpIsInThePage)
{
    const ManPage page(QStringLiteral(SCRIVLET_SOURCE_DIR "/") + QLatin1String(GetParam()));
    const QStringList commands = listedCommands();
    ASSERT_GE(commands.size(), 8);
    QStringList sorted = commands;
    sorted.sort();
    EXPECT_EQ(page.commandSections.keys(), sorted)
        << "one .SS per command, and none for a command that is gone";

    for (const QString &command : commands) {
        QSet<QString> options = optionsIn(help({command, QStringLiteral("--help")}));
        options -= {QStringLiteral("--data"), QStringLiteral("--help")}; // every command's, below
        const QString section = page.commandSections.value(command);
        const QSet<QString> documented = optionsIn(section);
        for (const QString &option : std::as_const(options))
            EXPECT_TRUE(documented.contains(option)) << command.toStdString() << ' ' << option.toStdString();
        EXPECT_TRUE(section.contains(QStringLiteral("scrivlet-cli ") + command)) << "an example or synopsis";
    }
    const QSet<QString> general = optionsIn(help({QStringLiteral("--help")}));
    ASSERT_TRUE(general.contains(QStringLiteral("--data")));
    for (const QString &option : general)
        EXPECT_TRUE(optionsIn(page.whole).contains(option)) << option.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Languages, ManPagesTest,
                         ::testing::Values("man/scrivlet-cli.1.in", "man/ru/scrivlet-cli.1.in"));

} // namespace
