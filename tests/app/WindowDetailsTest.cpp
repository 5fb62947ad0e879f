#include "app/TForm2.h"
#include "document/NpcFile.h"
#include "gui/dialogue/TForm3.h"
#include "gui/file/DocumentCommands.h"
#include "gui/macros/TForm6.h"
#include "support/AppFixture.h"
#include "support/Wine.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <QToolButton>

class WindowDetailsTest : public AppFixture
{
};

// Takes the file URLs the program asks the desktop to open.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

TEST_F(WindowDetailsTest, HelpOpensTheManualOrSaysWhereItIs)
{
    writeFile(QStringLiteral("scrivlet10.chm"), "manual");
    start();
    const QString manual = QDir::toNativeSeparators(pathIn(QStringLiteral("scrivlet10.chm")));
    {
        UrlCatcher desktop;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &desktop, "open");
        trigger("Help");
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        EXPECT_EQ(desktop.opened, QList<QUrl>{QUrl::fromLocalFile(pathIn(QStringLiteral("scrivlet10.chm")))});
        EXPECT_TRUE(prompts().asked.isEmpty());
    }
    // Offscreen there is nothing that opens files, as on a desktop without a browser.
    trigger("Help");
    ASSERT_EQ(prompts().asked.size(), 1);
    EXPECT_EQ(prompts().asked[0].kind, PromptKind::Warning);
    EXPECT_EQ(prompts().asked[0].text,
              QStringLiteral("Не удалось открыть справку: нет программы, которая показывает такие файлы.\r\n"
                             "Справка находится в файле ") +
                  manual + QLatin1Char('.'));
    prompts().clear();
    QFile::remove(pathIn(QStringLiteral("scrivlet10.chm")));
    ASSERT_TRUE(session().settings().config().helpPath().endsWith(QStringLiteral("scrivlet10.chm")))
        << "a build's test program has no manual beside it";
    trigger("Help");
    EXPECT_EQ(prompts().messageTexts(), QStringList{QStringLiteral("Файл справки ") + manual +
                                                    QStringLiteral(" не найден.")});
}

TEST_F(WindowDetailsTest, HintsStartWithTheCaptionAndTheThreeFileCommandsDropTheirDots)
{
    start();
    EXPECT_EQ(action("Open")->toolTip(), QStringLiteral("Открыть:\nоткрыть скрипт в редакторе.\n "));
    EXPECT_EQ(action("OpenEdt")->toolTip(),
              QStringLiteral("Импорт EDT-файла:\nзагрузить в редактор другой EDT-файл.\n "));
    EXPECT_EQ(action("ExportEdt")->toolTip(),
              QStringLiteral("Экспорт EDT-файла:\nэкспортировать EDT-файл в текстовый файл."));
    EXPECT_EQ(action("SaveAs")->toolTip(),
              QStringLiteral("Сохранить как...:\nсохранение NPC-файла под любым именем.\n "));
    EXPECT_TRUE(action("MacrManager")->toolTip().startsWith(QStringLiteral("Менеджер макросов...:\n")));
}

TEST_F(WindowDetailsTest, TheAboutBoxShowsItsWholeDescription)
{
    start();
    auto *info = m_windows->about.get()->findChild<QLabel *>(QStringLiteral("Lbl_Info"));
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->wordWrap());
    if (runningUnderWine())
        std::cout << "[  NOTE    ] the description's height is not measured: Wine's fonts are not Windows'\n";
    else
        EXPECT_GE(info->height(), info->heightForWidth(info->width()));
    EXPECT_LE(info->geometry().right(), m_windows->about.get()->width());
    const QRect author =
        m_windows->about.get()->findChild<QLabel *>(QStringLiteral("Lbl_Author"))->geometry();
    EXPECT_LE(info->geometry().bottom(), author.top());

    m_windows->about.get()->show();
    EXPECT_FALSE(m_windows->about.get()->findChild<QLabel *>(QStringLiteral("Image1"))->pixmap().isNull())
        << "the picture is drawn once the box shows";
    m_windows->about.get()->hide();
}

TEST_F(WindowDetailsTest, TheMacroManagersImageButtonsCarryHints)
{
    start();
    for (const char *name : {"Btn_Del", "Btn_MoveUp", "Btn_MoveDown", "Btn_Edit"}) {
        const auto *button = m_windows->macroManager.get()->findChild<QToolButton *>(QLatin1String(name));
        ASSERT_NE(button, nullptr) << name;
        EXPECT_FALSE(button->toolTip().isEmpty()) << name;
    }
}

TEST_F(WindowDetailsTest, SaveAsProposesTheScriptsOwnName)
{
    start();
    prompts().files << QString();
    trigger("SaveAs");
    EXPECT_TRUE(prompts().asked.last().options.fileName.isEmpty()) << "a new script has no name yet";

    const QString path = pathIn(QStringLiteral("npc/057.npc"));
    writeFile(QStringLiteral("npc/057.npc"), NpcWriter::encode(NpcRecords{}, NpcLayout::StandardLayout));
    main().documentCommands().FilesDropped(path);
    ASSERT_EQ(session().document().path, path);
    prompts().clear();
    trigger("SaveAs");
    ASSERT_EQ(prompts().asked.size(), 1);
    EXPECT_EQ(prompts().asked[0].options.fileName, path);
    EXPECT_EQ(prompts().asked[0].options.directory, startFolder())
        << "the working folder stays the initial one";
}

TEST_F(WindowDetailsTest, EscapeClosesTheDialogueTextViewer)
{
    start();
    main().show();
    auto *viewer = m_windows->viewer.get();
    ASSERT_TRUE(action("OpenEdt")->isEnabled());
    viewer->show();
    ASSERT_TRUE(viewer->isVisible());
    QTest::keyClick(viewer->Memo(), Qt::Key_Escape);
    EXPECT_FALSE(viewer->isVisible());
}

TEST_F(WindowDetailsTest, TheAboutBoxLinkOpensTheManualAsF1Does)
{
    writeFile(QStringLiteral("scrivlet10.chm"), "manual");
    start();
    auto *link = m_windows->about.get()->findChild<QLabel *>(QStringLiteral("Lbl_Link"));
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->text(), QStringLiteral("<a href=\"help\">Руководство</a>"));
    EXPECT_FALSE(link->openExternalLinks());

    UrlCatcher desktop;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &desktop, "open");
    m_windows->about.get()->show();
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(20, link->height() / 2));
    m_windows->about.get()->hide();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    EXPECT_EQ(desktop.opened, QList<QUrl>{QUrl::fromLocalFile(pathIn(QStringLiteral("scrivlet10.chm")))});
}

#include "WindowDetailsTest.moc"
