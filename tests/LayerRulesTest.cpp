#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

namespace
{

const QString SourceDir = QStringLiteral(SCRIVLET_SOURCE_DIR "/src/");

const QStringList CoreFolders = {QStringLiteral("document"), QStringLiteral("editor"),
                                 QStringLiteral("dialogue"), QStringLiteral("macros")};

// The folder of a file under src/ and whether it lies in a ui/ subfolder:
// "editor/ui/EditorPanel.h" gives ("editor", true); "main.cpp" gives ("", false).
struct Place {
    QString folder;
    bool ui = false;
};

Place placeOf(const QString &relativePath)
{
    const QStringList parts = relativePath.split(QLatin1Char('/'));
    if (parts.size() < 2)
        return {};
    return {parts.at(0), parts.size() > 2 && parts.at(1) == QLatin1String("ui")};
}

// The folders below a folder's own layer that its window-free files may include.
QSet<QString> coreIncludesAllowed(const QString &folder)
{
    if (folder == QLatin1String("common"))
        return {QStringLiteral("common")};
    if (folder == QLatin1String("document"))
        return {QStringLiteral("common"), QStringLiteral("document")};
    if (CoreFolders.contains(folder))
        return {QStringLiteral("common"), QStringLiteral("document"), folder};
    QSet<QString> below{QStringLiteral("common"), QStringLiteral("session")};
    for (const QString &core : CoreFolders)
        below.insert(core);
    if (folder == QLatin1String("cli"))
        below.insert(QStringLiteral("cli"));
    return below;
}

// Why an include breaks the layers; empty when it is allowed.
QString breach(const QString &file, const QString &included)
{
    const Place from = placeOf(file);
    const Place to = placeOf(included);
    if (from.folder == QLatin1String("app") || from.folder.isEmpty())
        return {}; // the top may use everything
    if (included == QLatin1String("app/ui/TForm1.h"))
        return QStringLiteral("only the main window's own files include TForm1.h");
    if (to.folder == QLatin1String("app"))
        return QStringLiteral("nothing below the top includes app/");
    // What the command line draws is the command line's own top, on the ui folders as the
    // editor is; its window-free part never includes it.
    if (from.folder == QLatin1String("cli") && from.ui)
        return {};
    if (!from.ui) {
        if (to.ui)
            return QStringLiteral("window-free code includes no ui/ header");
        if (!coreIncludesAllowed(from.folder).contains(to.folder))
            return QStringLiteral("includes a folder above or beside its own layer");
        return {};
    }
    if (to.ui && to.folder != from.folder && to.folder != QLatin1String("common"))
        return QStringLiteral("one subsystem's ui/ includes another's");
    return {};
}

QStringList breaches()
{
    static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s*\"([^\"]+)\""),
                                            QRegularExpression::MultilineOption);
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
            const QString included = match.next().captured(1);
            if (const QString why = breach(file, included); !why.isEmpty())
                found << file + QStringLiteral(" -> ") + included + QStringLiteral(": ") + why;
        }
    }
    return found;
}

} // namespace

TEST(LayerRules, EveryIncludeStaysWithinItsLayer)
{
    const QStringList found = breaches();
    EXPECT_TRUE(found.isEmpty()) << found.join(QLatin1Char('\n')).toStdString();
}

TEST(LayerRules, TheRulesCatchEachKindOfBreach)
{
    EXPECT_FALSE(
        breach(QStringLiteral("document/NpcFile.cpp"), QStringLiteral("editor/ui/EditorPanel.h")).isEmpty());
    EXPECT_FALSE(
        breach(QStringLiteral("session/ScriptSession.cpp"), QStringLiteral("common/ui/Prompts.h")).isEmpty());
    EXPECT_FALSE(
        breach(QStringLiteral("common/SaveFile.cpp"), QStringLiteral("document/NpcRecord.h")).isEmpty());
    EXPECT_FALSE(
        breach(QStringLiteral("document/NpcFile.cpp"), QStringLiteral("session/AppConfig.h")).isEmpty());
    EXPECT_FALSE(breach(QStringLiteral("macros/ui/TForm5.cpp"), QStringLiteral("app/ui/TForm1.h")).isEmpty());
    EXPECT_FALSE(breach(QStringLiteral("editor/ui/EditorPanel.cpp"), QStringLiteral("dialogue/ui/TForm3.h"))
                     .isEmpty());
    EXPECT_FALSE(breach(QStringLiteral("cli/Main.cpp"), QStringLiteral("editor/ui/EditorPanel.h")).isEmpty());
    EXPECT_FALSE(breach(QStringLiteral("cli/Main.cpp"), QStringLiteral("cli/ui/Pictures.h")).isEmpty());
    EXPECT_FALSE(breach(QStringLiteral("cli/ui/Pictures.cpp"), QStringLiteral("app/ui/TForm1.h")).isEmpty());
    EXPECT_FALSE(breach(QStringLiteral("editor/ui/MapScene.cpp"), QStringLiteral("cli/ui/Pictures.h")).isEmpty());

    EXPECT_TRUE(breach(QStringLiteral("app/ui/Startup.cpp"), QStringLiteral("app/ui/TForm1.h")).isEmpty());
    EXPECT_TRUE(
        breach(QStringLiteral("macros/ui/TForm6.cpp"), QStringLiteral("common/ui/PlacedDialog.h")).isEmpty());
    EXPECT_TRUE(breach(QStringLiteral("editor/ui/EditorPanel.cpp"), QStringLiteral("session/ScriptSession.h"))
                    .isEmpty());
    EXPECT_TRUE(
        breach(QStringLiteral("macros/MacroEntry.cpp"), QStringLiteral("document/NpcRecord.h")).isEmpty());
    EXPECT_TRUE(
        breach(QStringLiteral("cli/ui/Pictures.cpp"), QStringLiteral("editor/ui/MapScene.h")).isEmpty());
}
