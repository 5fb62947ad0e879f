#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QSet>

namespace
{

const QString SourceDir = QStringLiteral(SCRIVLET_SOURCE_DIR "/src/");

// The floors, bottom to top. A file includes its own folder and the floors below it;
// folders on one floor are siblings and include nothing of each other.
const QList<QStringList> Floors = {
    {QStringLiteral("common")},
    {QStringLiteral("document")},
    {QStringLiteral("dialogue"), QStringLiteral("macros"), QStringLiteral("spelling")},
    {QStringLiteral("editor"), QStringLiteral("translation")},
    {QStringLiteral("session")},
    {QStringLiteral("gui")},
    {QStringLiteral("app"), QStringLiteral("cli")},
};

// The command line's drawing module: the one file of cli/ that stands on the windows.
const QString PicturesModule = QStringLiteral("cli/PicturesModule.cpp");

int floorOf(const QString &folder)
{
    for (int floor = 0; floor < Floors.size(); ++floor)
        if (Floors.at(floor).contains(folder))
            return floor;
    return -1;
}

QString topFolder(const QString &path)
{
    return path.section(QLatin1Char('/'), 0, 0);
}

// "gui/records/EditorPanel.h" gives "records"; anything else, empty.
QString featureOf(const QString &path)
{
    return topFolder(path) == QLatin1String("gui") ? path.section(QLatin1Char('/'), 1, 1) : QString();
}

bool mayUseWindows(const QString &file)
{
    const QString folder = topFolder(file);
    return folder == QLatin1String("gui") || folder == QLatin1String("app") || file == PicturesModule;
}

// Why an include of ours breaks the floors; empty when it is allowed.
QString breach(const QString &file, const QString &included)
{
    const QString from = topFolder(file);
    const QString to = topFolder(included);
    const int fromFloor = floorOf(from);
    const int toFloor = floorOf(to);
    if (fromFloor < 0 || !file.contains(QLatin1Char('/')))
        return QStringLiteral("lies outside the folders of the floors");
    if (toFloor < 0)
        return QStringLiteral("includes a file outside the folders of the floors");
    if (to == QLatin1String("gui") && from != QLatin1String("gui") && !mayUseWindows(file))
        return QStringLiteral("window-free code includes a gui/ header");
    if (from == QLatin1String("gui")) {
        const QString fromFeature = featureOf(file);
        const QString toFeature = featureOf(included);
        if (to == QLatin1String("gui") && toFeature != fromFeature && toFeature != QLatin1String("widgets"))
            return QStringLiteral("one gui feature includes another's files");
        if (fromFeature == QLatin1String("widgets") && to == QLatin1String("gui") && toFeature != fromFeature)
            return QStringLiteral("gui/widgets includes a feature");
    }
    if (from == to)
        return {};
    if (toFloor > fromFloor && !(file == PicturesModule && to == QLatin1String("gui")))
        return QStringLiteral("includes a folder above its own floor");
    if (toFloor == fromFloor)
        return QStringLiteral("includes a sibling folder of its own floor");
    return {};
}

// The names of Qt Widgets' headers, as the installed Qt lists them.
QSet<QString> widgetsHeaders()
{
    QSet<QString> names;
    QDirIterator it(QLibraryInfo::path(QLibraryInfo::HeadersPath) + QStringLiteral("/QtWidgets"), QDir::Files);
    while (it.hasNext())
        names.insert(QFileInfo(it.next()).fileName());
    return names;
}

QStringList breaches()
{
    static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s*([\"<])([^\">]+)[\">]"),
                                            QRegularExpression::MultilineOption);
    const QSet<QString> widgets = widgetsHeaders();
    QStringList found;
    QDirIterator it(SourceDir, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString file = path.mid(SourceDir.size());
        QFile source(path);
        if (!source.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(source.readAll());
        for (auto match = include.globalMatch(text); match.hasNext();) {
            const auto m = match.next();
            const QString included = m.captured(2);
            QString why;
            if (m.captured(1) == QLatin1String("\""))
                why = breach(file, included);
            else if (!mayUseWindows(file) && widgets.contains(included.section(QLatin1Char('/'), -1)))
                why = QStringLiteral("window-free code includes a Qt Widgets header");
            if (!why.isEmpty())
                found << file + QStringLiteral(" -> ") + included + QStringLiteral(": ") + why;
        }
    }
    return found;
}

} // namespace

TEST(LayerRules, EveryIncludeStaysWithinItsFloor)
{
    ASSERT_TRUE(widgetsHeaders().contains(QStringLiteral("QWidget")));
    const QStringList found = breaches();
    EXPECT_TRUE(found.isEmpty()) << found.join(QLatin1Char('\n')).toStdString();
}

TEST(LayerRules, TheRulesCatchEachKindOfBreach)
{
    const auto refused = [](const char *file, const char *included) {
        return !breach(QString::fromLatin1(file), QString::fromLatin1(included)).isEmpty();
    };
    EXPECT_TRUE(refused("document/NpcFile.cpp", "gui/records/EditorPanel.h"));
    EXPECT_TRUE(refused("session/ScriptSession.cpp", "gui/widgets/Prompts.h"));
    EXPECT_TRUE(refused("common/SaveFile.cpp", "document/NpcRecord.h"));
    EXPECT_TRUE(refused("document/NpcFile.cpp", "session/AppConfig.h"));
    EXPECT_TRUE(refused("dialogue/EdtText.cpp", "macros/MacroFile.h"));
    EXPECT_TRUE(refused("editor/RecordList.cpp", "session/ScriptSession.h"));
    EXPECT_TRUE(refused("gui/macros/TForm5.cpp", "app/TForm1.h"));
    EXPECT_TRUE(refused("gui/records/EditorPanel.cpp", "gui/dialogue/TForm3.h"));
    EXPECT_TRUE(refused("gui/widgets/Prompts.cpp", "gui/records/RecordGrid.h"));
    EXPECT_TRUE(refused("cli/Cli.cpp", "gui/map/MapScene.h"));
    EXPECT_TRUE(refused("cli/Cli.cpp", "app/Startup.h"));
    EXPECT_TRUE(refused("app/Startup.cpp", "cli/Cli.h"));
    EXPECT_TRUE(refused("main.cpp", "app/Startup.h"));

    EXPECT_FALSE(refused("app/Startup.cpp", "app/TForm1.h"));
    EXPECT_FALSE(refused("app/Startup.cpp", "gui/records/RecordGrid.h"));
    EXPECT_FALSE(refused("gui/macros/TForm6.cpp", "gui/widgets/PlacedDialog.h"));
    EXPECT_FALSE(refused("gui/records/EditorPanel.cpp", "session/ScriptSession.h"));
    EXPECT_FALSE(refused("macros/MacroEntry.cpp", "document/NpcRecord.h"));
    EXPECT_FALSE(refused("editor/ScriptChecks.cpp", "dialogue/EdtText.h"));
    EXPECT_FALSE(refused("cli/PicturesModule.cpp", "gui/map/MapScene.h"));
}
