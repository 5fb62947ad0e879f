#include "app/ActionTable.h"

#include "app/TForm1.h"
#include "gui/widgets/ProgramIcon.h"

#include <QAction>
#include <QActionGroup>
#include <QFile>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>

namespace
{

struct ActionInfo {
    const char *name;
    const char *caption;
    const char *shortcut;
    const char *hint; // second line; empty for none
    bool blankThirdLine;
};

// The first hint line is the caption and a colon; these three drop their "...".
bool hintDropsDots(const QString &name)
{
    return name == QLatin1String("Open") || name == QLatin1String("OpenEdt") ||
           name == QLatin1String("ExportEdt");
}

// clang-format off
const ActionInfo Actions[] = {
    {"New", "Создать", "Ctrl+N", "инициализировать новый пустой скрипт.", true},
    {"Open", "Открыть...", "Ctrl+O", "открыть скрипт в редакторе.", true},
    {"Save", "Сохранить", "Ctrl+S", "записать скрипт на диск.", true},
    {"SaveAs", "Сохранить как...", "Ctrl+Alt+S", "сохранение NPC-файла под любым именем.", true},
    {"OpenEdt", "Импорт EDT-файла...", "Ctrl+E", "загрузить в редактор другой EDT-файл.", true},
    {"ExportEdt", "Экспорт EDT-файла...", "Ctrl+T", "экспортировать EDT-файл в текстовый файл.", false},
    {"Quit", "Выход", "Alt+X", "", false},
    {"Undo", "Отменить", "Ctrl+Z", "отменить последнее изменение записей.", true},
    {"Redo", "Повторить", "Ctrl+Y", "повторить отменённое изменение.", true},
    {"CutRec", "Вырезать", "Ctrl+Alt+X", "вырезать запись, все нижележащие записи будут сдвинуты вверх.", true},
    {"CopyRec", "Копировать", "Ctrl+Alt+C", "копировать запись в буфер.", true},
    {"PasteRec", "Вставить", "Ctrl+Alt+V", "вставить запись на выделенное место, все нижележащие записи будут сдвинуты вниз.", true},
    {"DeleteRec", "Удалить", "Ctrl+Del", "удалить запись, все нижележащие записи будут сдвинуты вверх.", true},
    {"CleanRec", "Очистить", "Ctrl+Alt+Space", "очищает запись от всех значений, делая ее пустой.", true},
    {"MoveUp", "Сдвинуть вверх", "Alt+Q", "переместить текущую запись на одну строку вверх в списке записей.", true},
    {"MoveDown", "Сдвинуть вниз", "Alt+A", "переместить текущую запись на одну строку вниз в списке записей.", true},
    {"Inicial", "Инициализировать запись", "Alt+I", "заполнение записи значениями по-умолчанию.", true},
    {"MacrManager", "Менеджер макросов...", "Ctrl+M", "открыть панель управления макросами.", true},
    {"SaveAsMacr", "Сохранить макрос...", "Alt+M", "Сохранить текущую запись в списке макросов.", false},
    {"ReloadTxt", "Обновить текст", "Alt+E", "перезагрузить EDT-файл.", true},
    {"ShowEdt", "Показать EDT-файл", "Alt+T", "открыть текст текущего EDT-файла в отдельном окне.", true},
    {"RunEdt", "Открыть EDT-редактор", "Alt+R", "открыть сторонний EDT-редактор.", true},
    {"ShowMap", "Карта диалога", "F9", "показать записи скрипта и ссылки между ними в виде схемы.", true},
    {"EditPhrases", "Фразы", "F8", "показать и изменить фразы EDT-файла текущего скрипта.", true},
    {"ImportPhrases", "Загрузить фразы из TXT...", "", "заменить все фразы текстом из файла экспорта EDT.", true},
    {"AddPhrase", "Добавить фразу к записи", "Ctrl+Shift+P", "добавить пустую фразу после последней фразы текущей записи.", true},
    {"AppendPhrase", "Добавить фразу в конец", "", "добавить пустую фразу в конец текста, номера фраз в записях не меняются.", true},
    {"InsertPhrase", "Вставить фразу", "Insert", "вставить пустую фразу перед выбранной, номера фраз в записях будут сдвинуты.", true},
    {"DeletePhrase", "Удалить фразу", "Delete", "удалить выбранную фразу, номера фраз в записях будут сдвинуты.", true},
    {"MovePhraseUp", "Сдвинуть фразу вверх", "Ctrl+Up", "поменять выбранную фразу местами с предыдущей.", true},
    {"MovePhraseDown", "Сдвинуть фразу вниз", "Ctrl+Down", "поменять выбранную фразу местами со следующей.", true},
    {"CheckScript", "Проверить скрипт", "F7", "показать ошибки и предупреждения во всех записях скрипта.", true},
    {"FindUsages", "Найти использование...", "Ctrl+F", "найти записи скриптов папки, где встречается действие, предмет, персонаж, факт или квест.", true},
    {"Renumber", "Перенумеровать...", "Ctrl+R", "дать предмету, факту, квесту, персонажу... другой номер во всех скриптах папки и в его списке.", true},
    {"ReplaceText", "Заменить в текстах...", "Ctrl+H", "заменить слово или выражение во фразах этого скрипта или всех скриптов папки.", true},
    {"FollowLink", "Перейти по ссылке", "Ctrl+L", "перейти к записи, которой текущая запись передаёт управление.", true},
    {"GoBack", "Назад", "Alt+Left", "вернуться туда, откуда был сделан последний переход по ссылке.", true},
    {"F_Standart", "Стандартный формат", "Alt+S", "", false},
    {"F_Vesta", "Вестинский формат", "Alt+B", "", false},
    {"Config", "Конфигурация", "Alt+C", "Панель управления основными свойствами программы.", false},
    {"Help", "Справка", "F1", "", false},
    {"About", "О программе...", "", "", false},
    {"File_m", "Файл", "", "", false},
    {"Edit_m", "Редактировать", "", "", false},
    {"Macros_m", "Макрос", "", "", false},
    {"Service_m", "Сервис", "", "", false},
    {"Help_m", "Справка", "", "", false},
};
// clang-format on

QAction *named(TForm1 &window, const char *name)
{
    return window.action(QLatin1String(name));
}

void addAll(TForm1 &window, QMenu *menu, std::initializer_list<const char *> names)
{
    for (const char *name : names) {
        if (name[0] == '-')
            menu->addSeparator();
        else
            menu->addAction(named(window, name));
    }
}

} // namespace

namespace ActionTable
{

void createActions(TForm1 &window)
{
    for (const ActionInfo &info : Actions) {
        auto *action = new QAction(QString::fromUtf8(info.caption), &window);
        action->setObjectName(QLatin1String(info.name));
        action->setShortcut(QKeySequence(QLatin1String(info.shortcut)));
        action->setShortcutContext(Qt::WindowShortcut);
        if (info.hint[0] != '\0') {
            QString title = action->text();
            if (hintDropsDots(action->objectName()) && title.endsWith(QStringLiteral("...")))
                title.chop(3);
            QString hint = title + QStringLiteral(":\n") + QString::fromUtf8(info.hint);
            if (info.blankThirdLine)
                hint += QStringLiteral("\n ");
            action->setToolTip(hint);
        }
        const QString iconPath = QStringLiteral(":/icons/") + action->objectName() + QStringLiteral(".svg");
        if (QFile::exists(iconPath))
            action->setIcon(programIcon(iconPath));
        window.addAction(action);
    }

    // Keys the main window's fields need too: these act only in the phrases table.
    for (const char *name : {"InsertPhrase", "DeletePhrase", "MovePhraseUp", "MovePhraseDown"}) {
        QAction *a = named(window, name);
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        window.removeAction(a);
    }

    auto *layouts = new QActionGroup(&window);
    for (const char *name : {"F_Standart", "F_Vesta"}) {
        QAction *a = named(window, name);
        a->setCheckable(true);
        layouts->addAction(a);
    }
    named(window, "F_Standart")->setChecked(true);
    named(window, "Redo")
        ->setShortcuts(
            {QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});

    // The Edit menu's clean item answers Ctrl+Space as well.
    QAction *clean = named(window, "CleanRec");
    auto *cleanItem = new QAction(clean->text(), &window);
    cleanItem->setObjectName(QStringLiteral("N_CleanRec"));
    cleanItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+Space")));
    cleanItem->setIcon(clean->icon());
    cleanItem->setToolTip(clean->toolTip());
    QObject::connect(cleanItem, &QAction::triggered, clean, &QAction::trigger);
    window.addAction(cleanItem);
}

QMenu *buildMainMenu(TForm1 &window, QMenuBar *menuBar)
{
    auto menu = [&](const char *name) {
        QMenu *m = menuBar->addMenu(named(window, name)->text());
        m->menuAction()->setObjectName(QLatin1String(name) + QStringLiteral("Menu"));
        return m;
    };
    QMenu *file = menu("File_m");
    addAll(window, file, {"New", "Open", "Save", "SaveAs", "-", "OpenEdt", "ExportEdt", "-", "Quit"});
    file->setToolTipsVisible(true); // the recent files show their full paths
    addAll(window, menu("Edit_m"),
           {"Undo", "Redo", "-", "CutRec", "CopyRec", "PasteRec", "N_CleanRec", "DeleteRec", "-", "Inicial",
            "-", "MoveUp", "MoveDown", "-", "FollowLink", "GoBack"});
    addAll(window, menu("Macros_m"), {"MacrManager", "SaveAsMacr"});
    addAll(window, menu("Service_m"),
           {"F_Standart", "F_Vesta", "-", "ReloadTxt", "ShowEdt", "RunEdt", "EditPhrases", "ShowMap", "-", "CheckScript",
            "FindUsages", "Renumber", "ReplaceText", "-", "Config"});
    addAll(window, menu("Help_m"), {"Help", "About"});
    return file;
}

QMenu *createGridMenu(TForm1 &window)
{
    auto *menu = new QMenu(&window);
    menu->setObjectName(QStringLiteral("P_Menu_Grid"));
    addAll(window, menu,
           {"CutRec", "CopyRec", "PasteRec", "DeleteRec", "-", "MoveUp", "MoveDown", "-", "MacrManager", "-",
            "Inicial", "-", "FollowLink"});
    return menu;
}

QMenu *createHelpMenu(TForm1 &window)
{
    auto *menu = new QMenu(&window);
    menu->setObjectName(QStringLiteral("P_Menu_Help"));
    addAll(window, menu, {"Help", "About"});
    return menu;
}

QMenu *createMacrosMenu(TForm1 &window)
{
    auto *menu = new QMenu(&window);
    menu->setObjectName(QStringLiteral("P_Menu_Macros"));
    addAll(window, menu, {"MacrManager", "-"});
    return menu;
}

} // namespace ActionTable
