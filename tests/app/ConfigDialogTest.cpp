#include "app/DesktopFileType.h"
#include "app/TForm4.h"
#include "gui/records/EditorPanel.h"
#include "gui/records/IntegerEdit.h"
#include "session/ShippedFiles.h"
#include "support/AppFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>

#include <functional>

namespace
{

// The desktop entry this program registers, as the build or installed program it is.
QString ownEntry(const QString &dataHome)
{
    return DesktopFileType::desktopEntryPath(
        dataHome, DesktopFileType::installationOf(QCoreApplication::applicationFilePath()));
}

// Starts of the program find the file type registered there, so no desktop tool runs
// on a folder that is about to be removed.
void markRegistered(const QString &dataHome)
{
    const QString entry = ownEntry(dataHome);
    QDir().mkpath(QFileInfo(entry).absolutePath());
    QFile file(entry);
    file.open(QIODevice::WriteOnly);
}

const QString RangeError = QStringLiteral("Данное значение должно быть в пределах 0 - ");

} // namespace

class ConfigDialogTest : public AppFixture
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dataHome.isValid());
        m_savedDataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dataHome.path()));
        // Registered already, unless a test says otherwise.
        markRegistered(m_dataHome.path());
        AppFixture::SetUp();
    }
    void TearDown() override
    {
        AppFixture::TearDown();
        qputenv("XDG_DATA_HOME", m_savedDataHome);
    }

    TForm4 &dialog() { return *m_windows->config.get(); }
    // The About box has a "Btn_Ok" of its own.
    template <typename T> T *control(const char *name)
    {
        T *widget = dialog().findChild<T *>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QLineEdit *editorEdit() { return control<QLineEdit>("Edit_EdtEditor"); }
    QLineEdit *dataDirEdit() { return control<QLineEdit>("Edit_DataDir"); }
    QCheckBox *checkBox() { return control<QCheckBox>("CheckBox1"); }
    void click(const char *name) { control<QAbstractButton>(name)->click(); }

    // Runs the Config command; whileOpen acts in the modal dialog, which is closed with
    // "Закрыть" afterwards if it is still open.
    void openConfig(const std::function<void()> &whileOpen)
    {
        bool ran = false;
        QTimer::singleShot(0, &main(), [&] {
            ran = true;
            whileOpen();
            if (dialog().isVisible())
                dialog().Btn_CloseClick();
        });
        trigger("Config");
        EXPECT_TRUE(ran);
        EXPECT_FALSE(dialog().isVisible());
    }

    QString dataHome() const { return m_dataHome.path(); }
    QString makeFolder(const QString &name) const
    {
        QDir().mkpath(pathIn(name));
        return pathIn(name);
    }

    // Enter with a value beyond the Action list: the range error, when warnings are on.
    bool rangeErrorShown()
    {
        prompts().clear();
        main().editorPanel().edit(NpcField::Action)->setText(QStringLiteral("300"));
        main().editorPanel().EditKeyPress(NpcField::Action, QChar(13));
        const QStringList texts = prompts().messageTexts();
        return !texts.isEmpty() && texts.first().startsWith(RangeError);
    }

private:
    QTemporaryDir m_dataHome;
    QByteArray m_savedDataHome;
};

TEST_F(ConfigDialogTest, DialogLayoutTextsAndHiddenControls)
{
    start();
    TForm4 &d = dialog();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Конфигурация"));
    EXPECT_EQ(d.size(), QSize(362, 218));
    EXPECT_FALSE(d.isVisible());

    EXPECT_EQ(control<QLabel>("Lbl_EdtEditor")->text(), QStringLiteral("EDT-редактор:"));
    EXPECT_EQ(control<QLabel>("Lbl_DataDir")->text(),
              QStringLiteral("Папка с модифицированными списками данных:"));
    EXPECT_EQ(checkBox()->text(), QStringLiteral("Отключить предупреждения при вводе значений"));
    EXPECT_EQ(control<QPushButton>("Btn_Ok")->text(), QStringLiteral("Сохранить"));
    EXPECT_EQ(control<QPushButton>("Btn_Close")->text(), QStringLiteral("Закрыть"));
    EXPECT_EQ(editorEdit()->width(), 313);
    EXPECT_EQ(dataDirEdit()->width(), 313);
    EXPECT_FALSE(editorEdit()->isEnabled());
    EXPECT_FALSE(dataDirEdit()->isEnabled());

    EXPECT_EQ(control<QLabel>("Lbl_Assoc")->text(), QStringLiteral("Ассоциировать NPC-файлы с редактором"));
    EXPECT_EQ(control<QLabel>("Lbl_Lng")->text(), QStringLiteral("Язык интерфейса:"));
    EXPECT_EQ(control<QComboBox>("Combo_Lng")->currentText(), QStringLiteral("Русский"));
    EXPECT_FALSE(control<QPushButton>("Btn_Assoc")->isEnabled());
    EXPECT_FALSE(control<QComboBox>("Combo_Lng")->isEnabled());
    for (const char *name : {"Btn_Assoc", "Lbl_Assoc", "Lbl_Lng", "Combo_Lng"})
        EXPECT_GE(control<QWidget>(name)->x(), 362) << name;
}

TEST_F(ConfigDialogTest, ActivationShowsTheSettingsAndTheDefaultDataFolderAsAnEmptyEdit)
{
    start();
    session().settings().config().EdtEditor = QStringLiteral("/opt/edt/edt.exe");
    main().move(40, 60);
    openConfig([&] {
        EXPECT_EQ(editorEdit()->text(), QStringLiteral("/opt/edt/edt.exe"));
        EXPECT_EQ(dataDirEdit()->text(), QString());
        EXPECT_FALSE(checkBox()->isChecked());
        EXPECT_FALSE(dialog().settingsChanged());
        const QRect m = main().frameGeometry();
        const QRect own = dialog().frameGeometry();
        EXPECT_EQ(own.topLeft(), QPoint(m.left() + (m.width() - own.width()) / 2,
                                        m.top() + (m.height() - own.height()) / 2 - 100));
        click("Btn_Ok");
    });
    // Nothing was changed, so "Сохранить" keeps the standard folder rather than the empty edit.
    EXPECT_EQ(session().settings().config().DataDir, session().settings().config().standardDataDir());
    EXPECT_EQ(session().settings().config().EdtEditor, QStringLiteral("/opt/edt/edt.exe"));
}

TEST_F(ConfigDialogTest, ActivationShowsAnotherDataFolderAndWarningsOff)
{
    const QString mods = makeFolder(QStringLiteral("mods"));
    writeFile(QStringLiteral("scrivlet.ini"),
              "[Config]\r\nDataDir=" + mods.toUtf8() + "\r\nEdtEditor=/opt/edt/edt.exe\r\nAlertShow=2\r\n");
    start();
    openConfig([&] {
        EXPECT_EQ(dataDirEdit()->text(), mods);
        EXPECT_EQ(editorEdit()->text(), QStringLiteral("/opt/edt/edt.exe"));
        EXPECT_TRUE(checkBox()->isChecked());
    });
    // Only looking changes nothing: 2 is kept, not turned into 1.
    EXPECT_EQ(session().settings().config().AlertShow, 2);
}

TEST_F(ConfigDialogTest, ChoosersCancelledChangeNothing)
{
    start();
    session().settings().config().EdtEditor = QStringLiteral("/opt/edt/edt.exe");
    openConfig([&] {
        click("Btn_SelectEdtEdit");
        click("Btn_SelectDataDir");
        EXPECT_EQ(editorEdit()->text(), QStringLiteral("/opt/edt/edt.exe"));
        EXPECT_EQ(dataDirEdit()->text(), QString());
        EXPECT_FALSE(dialog().settingsChanged());
    });
    ASSERT_EQ(prompts().asked.size(), 2);
    const AskedPrompt &file = prompts().asked[0];
    EXPECT_EQ(file.type, AskedPrompt::OpenFile);
    EXPECT_EQ(file.options.title, QStringLiteral("Выбор EDT-редактора"));
    EXPECT_EQ(file.options.filter, QStringLiteral("Исполняемые файлы *.exe|*.exe|Все файлы|*.*"));
    EXPECT_TRUE(file.options.showHidden);
    EXPECT_EQ(file.options.directory, QFileInfo(QStringLiteral("/opt/edt/edt.exe")).absolutePath());
    EXPECT_EQ(prompts().asked[1].type, AskedPrompt::Folder);
    EXPECT_EQ(prompts().asked[1].text, QStringLiteral("Выбор папки с мод-списками"));
}

TEST_F(ConfigDialogTest, SaveStoresTheChosenPathsAndEnablesRunEdtForAnExistingEditor)
{
    writeFile(QStringLiteral("tools/edt editor.exe"), "MZ");
    const QString editor = pathIn(QStringLiteral("tools/edt editor.exe"));
    const QString mods = makeFolder(QStringLiteral("mods"));
    start();
    ASSERT_FALSE(action("RunEdt")->isEnabled());
    const QString standard = session().settings().config().DataDir;

    openConfig([&] {
        prompts().files << editor << mods;
        click("Btn_SelectEdtEdit");
        click("Btn_SelectDataDir");
        EXPECT_EQ(editorEdit()->text(), editor);
        EXPECT_EQ(dataDirEdit()->text(), mods);
        EXPECT_TRUE(dialog().settingsChanged());
        // Nothing is stored before "Сохранить".
        EXPECT_EQ(session().settings().config().DataDir, standard);
        click("Btn_Ok");
        EXPECT_FALSE(dialog().settingsChanged());
    });
    EXPECT_EQ(session().settings().config().EdtEditor, editor);
    EXPECT_EQ(session().settings().config().DataDir, mods);
    EXPECT_TRUE(action("RunEdt")->isEnabled());

    // The next chooser starts in the editor's folder.
    openConfig([&] { click("Btn_SelectEdtEdit"); });
    EXPECT_EQ(prompts().asked.last().options.directory, pathIn(QStringLiteral("tools")));
}

TEST_F(ConfigDialogTest, SaveKeepsAVanishedEditorWithoutEnablingRunEdt)
{
    start();
    openConfig([&] {
        prompts().files << pathIn(QStringLiteral("gone.exe"));
        click("Btn_SelectEdtEdit");
        click("Btn_Ok");
    });
    EXPECT_EQ(session().settings().config().EdtEditor, pathIn(QStringLiteral("gone.exe")));
    EXPECT_FALSE(action("RunEdt")->isEnabled());
}

TEST_F(ConfigDialogTest, CloseKeepsThePathsButTheCheckBoxHasTakenEffect)
{
    const QString mods = makeFolder(QStringLiteral("mods"));
    start();
    const QString standard = session().settings().config().DataDir;
    openConfig([&] {
        prompts().files << pathIn(QStringLiteral("edt.exe")) << mods;
        click("Btn_SelectEdtEdit");
        click("Btn_SelectDataDir");
        click("CheckBox1");
        EXPECT_EQ(session().settings().config().AlertShow, 1);
        click("Btn_Close");
        EXPECT_FALSE(dialog().settingsChanged());
    });
    EXPECT_EQ(session().settings().config().DataDir, standard);
    EXPECT_EQ(session().settings().config().EdtEditor, QString());
    EXPECT_EQ(session().settings().config().AlertShow, 1);

    // The editor path comes back from the settings; the folder edit keeps the last
    // choice while the setting is the standard folder. The close box acts as "Закрыть".
    openConfig([&] {
        EXPECT_EQ(editorEdit()->text(), QString());
        EXPECT_EQ(dataDirEdit()->text(), mods);
        EXPECT_TRUE(checkBox()->isChecked());
        click("CheckBox1");
        dialog().close();
    });
    EXPECT_EQ(session().settings().config().AlertShow, 0);
    EXPECT_EQ(session().settings().config().DataDir, standard);
}

TEST_F(ConfigDialogTest, CheckBoxSilencesTheWarningsAtOnce)
{
    start();
    ASSERT_TRUE(rangeErrorShown());
    openConfig([&] {
        click("CheckBox1");
        // In force before the dialog closes.
        EXPECT_FALSE(session().settings().config().warningsOn());
    });
    EXPECT_FALSE(rangeErrorShown());
    openConfig([&] { click("CheckBox1"); });
    EXPECT_TRUE(rangeErrorShown());
}

TEST_F(ConfigDialogTest, SettingsFileGetsTheNewValuesAtExit)
{
    writeFile(QStringLiteral("tools/edt.exe"), "MZ");
    const QString mods = makeFolder(QStringLiteral("mods"));
    writeFile(QStringLiteral("mods/Action.txt"), "0=Modded\r\n");
    start();
    const QString shippedAction = session().captions().actionName("0");
    ASSERT_NE(shippedAction, QStringLiteral("Modded"));
    openConfig([&] {
        prompts().files << pathIn(QStringLiteral("tools/edt.exe")) << mods;
        click("Btn_SelectEdtEdit");
        click("Btn_SelectDataDir");
        click("CheckBox1");
        click("Btn_Ok");
    });
    // The new folder counts from the next start only.
    EXPECT_EQ(session().captions().actionName("0"), shippedAction);
    stop();
    const QByteArray ini = readFile(QStringLiteral("scrivlet.ini"));
    EXPECT_TRUE(ini.contains("EdtEditor=" + pathIn(QStringLiteral("tools/edt.exe")).toUtf8() + "\r\n"))
        << ini.constData();
    EXPECT_TRUE(ini.contains("DataDir=" + mods.toUtf8() + "\r\n")) << ini.constData();
    EXPECT_TRUE(ini.contains("AlertShow=1\r\n")) << ini.constData();

    start();
    EXPECT_EQ(session().settings().config().DataDir, mods);
    EXPECT_EQ(session().captions().actionName("0"), QStringLiteral("Modded"));
    EXPECT_TRUE(action("RunEdt")->isEnabled());
}

TEST_F(ConfigDialogTest, CheckBoxOnlyAndSaveStoresAnEmptyDataFolderThatMeansTheStandardOne)
{
    start();
    openConfig([&] {
        click("CheckBox1");
        click("Btn_Ok");
    });
    EXPECT_EQ(session().settings().config().DataDir, QString());
    stop();
    EXPECT_TRUE(readFile(QStringLiteral("scrivlet.ini")).contains("\r\nDataDir=\r\n"));
    start();
    EXPECT_EQ(session().settings().config().DataDir, session().settings().config().standardDataDir());
    EXPECT_FALSE(session().settings().config().warningsOn());
}

TEST_F(ConfigDialogTest, StartRegistersTheFileTypeOnce)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "the .desktop file is the Linux desktop's; Windows has the registry";
#endif
    const QString entry = ownEntry(dataHome());
    ASSERT_TRUE(QFile::remove(entry));
    {
        // Without the desktop's tools, which would outlive the test's folder.
        const QByteArray path = qgetenv("PATH");
        QTemporaryDir emptyPath;
        qputenv("PATH", QFile::encodeName(emptyPath.path()));
        start();
        qputenv("PATH", path);
    }
    QFile file(entry);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains(
        "\nExec=" + DesktopFileType::execArgument(QCoreApplication::applicationFilePath()).toUtf8() +
        " %f\n"));
    file.close();
    EXPECT_TRUE(prompts().messageTexts().isEmpty());

    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("kept");
    file.close();
    start();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("kept"));
}

TEST_F(ConfigDialogTest, RegistrationFailureIsShownAndStartUpGoesOn)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "the .desktop file is the Linux desktop's; Windows has the registry";
#endif
    QDir(dataHome()).removeRecursively();
    QDir().mkpath(dataHome());
    QFile blocker(dataHome() + QStringLiteral("/applications"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    start();
    ASSERT_EQ(prompts().asked.size(), 1);
    EXPECT_EQ(prompts().asked[0].kind, PromptKind::Error);
    EXPECT_TRUE(prompts().asked[0].text.startsWith(
        QStringLiteral("Не удалось записать файл ") +
        QDir::toNativeSeparators(ownEntry(dataHome()))));
    EXPECT_NE(m_windows->saveMacro.get(), nullptr);
    EXPECT_NE(m_windows->macroManager.get(), nullptr);
}

TEST_F(ConfigDialogTest, WithoutListsInTheStartFolderTheShippedOnesServeAndTheDialogNamesTheirFolder)
{
    QDir(pathIn(QStringLiteral("Data"))).removeRecursively();
    QTemporaryDir install;
    const QString shipped = install.filePath(QStringLiteral("share/scrivlet/Data"));
    QDir().mkpath(shipped);
    QDirIterator lists(QStringLiteral(SCRIVLET_SOURCE_DIR "/Data"), {QStringLiteral("*.txt")}, QDir::Files);
    while (lists.hasNext()) {
        lists.next();
        QFile::copy(lists.filePath(), QDir(shipped).filePath(lists.fileName()));
    }
    const QString previous = ShippedFiles::programFolder();
    auto restore = qScopeGuard([&] { ShippedFiles::setProgramFolder(previous); });
    ShippedFiles::setProgramFolder(install.filePath(QStringLiteral("bin")));

    start();
    EXPECT_TRUE(prompts().messageTexts().isEmpty())
        << prompts().messageTexts().join(QLatin1Char('\n')).toStdString();
    EXPECT_FALSE(session().lists().Action.isEmpty());
    openConfig([&] {
        EXPECT_EQ(dataDirEdit()->text(), QString());
        EXPECT_EQ(dataDirEdit()->placeholderText(), QDir::toNativeSeparators(shipped));
    });

    // A list of the user's own beside the shipped ones: both folders are named.
    writeFile(QStringLiteral("Data/Items.txt"), "1=mine\r\n");
    start();
    openConfig([&] {
        EXPECT_EQ(dataDirEdit()->placeholderText(),
                  QDir::toNativeSeparators(shipped + QStringLiteral("; ") + pathIn(QStringLiteral("Data"))));
    });
}

TEST_F(ConfigDialogTest, WithoutListsAnywhereEachMissingListGetsItsErrorBox)
{
    QDir(pathIn(QStringLiteral("Data"))).removeRecursively();
    start();
    const QStringList texts = prompts().messageTexts();
    ASSERT_EQ(texts.size(), 8);
    EXPECT_EQ(texts.first(), QStringLiteral("Проблема чтения файла ") +
                                 QDir::toNativeSeparators(pathIn(QStringLiteral("Data/Action.txt"))));
    openConfig([&] { EXPECT_EQ(dataDirEdit()->placeholderText(), QString()); });
}
