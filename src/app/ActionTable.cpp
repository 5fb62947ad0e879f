#include "app/ActionTable.h"

#include "app/TForm1.h"
#include "gui/widgets/ProgramIcon.h"

#include <QAction>
#include <QActionGroup>
#include <QFile>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace
{

struct ActionInfo {
    const char *name;
    const char *caption;
    QKeyCombination shortcut; // none: no key
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
    {"New", "Создать", Qt::CTRL | Qt::Key_N, "инициализировать новый пустой скрипт.", true},
    {"Open", "Открыть...", Qt::CTRL | Qt::Key_O, "открыть скрипт в редакторе.", true},
    {"Save", "Сохранить", Qt::CTRL | Qt::Key_S, "записать скрипт на диск.", true},
    {"SaveAs", "Сохранить как...", Qt::CTRL | Qt::ALT | Qt::Key_S, "сохранение NPC-файла под любым именем.", true},
    {"OpenEdt", "Импорт EDT-файла...", Qt::CTRL | Qt::Key_E, "загрузить в редактор другой EDT-файл.", true},
    {"ExportEdt", "Экспорт EDT-файла...", Qt::CTRL | Qt::Key_T, "экспортировать EDT-файл в текстовый файл.", false},
    {"Quit", "Выход", Qt::ALT | Qt::Key_X, "", false},
    {"Undo", "Отменить", Qt::CTRL | Qt::Key_Z, "отменить последнее изменение записей.", true},
    {"Redo", "Повторить", Qt::CTRL | Qt::Key_Y, "повторить отменённое изменение.", true},
    {"CutRec", "Вырезать", Qt::CTRL | Qt::ALT | Qt::Key_X, "вырезать запись, все нижележащие записи будут сдвинуты вверх.", true},
    {"CopyRec", "Копировать", Qt::CTRL | Qt::ALT | Qt::Key_C, "копировать запись в буфер.", true},
    {"PasteRec", "Вставить", Qt::CTRL | Qt::ALT | Qt::Key_V, "вставить запись на выделенное место, все нижележащие записи будут сдвинуты вниз.", true},
    {"DeleteRec", "Удалить", Qt::CTRL | Qt::Key_Delete, "удалить запись, все нижележащие записи будут сдвинуты вверх.", true},
    {"CleanRec", "Очистить", Qt::CTRL | Qt::ALT | Qt::Key_Space, "очищает запись от всех значений, делая ее пустой.", true},
    {"MoveUp", "Сдвинуть вверх", Qt::ALT | Qt::Key_Q, "переместить текущую запись на одну строку вверх в списке записей.", true},
    {"MoveDown", "Сдвинуть вниз", Qt::ALT | Qt::Key_A, "переместить текущую запись на одну строку вниз в списке записей.", true},
    {"Inicial", "Инициализировать запись", Qt::ALT | Qt::Key_I, "заполнение записи значениями по-умолчанию.", true},
    {"MacrManager", "Менеджер макросов...", Qt::CTRL | Qt::Key_M, "открыть панель управления макросами.", true},
    {"SaveAsMacr", "Сохранить макрос...", Qt::ALT | Qt::Key_M, "Сохранить текущую запись в списке макросов.", false},
    {"ReloadTxt", "Обновить текст", Qt::ALT | Qt::Key_E, "перезагрузить EDT-файл.", true},
    {"ShowEdt", "Показать EDT-файл", Qt::ALT | Qt::Key_T, "открыть текст текущего EDT-файла в отдельном окне.", true},
    {"RunEdt", "Открыть EDT-редактор", Qt::ALT | Qt::Key_R, "открыть сторонний EDT-редактор.", true},
    {"ShowMap", "Карта диалога", QKeyCombination(Qt::Key_F9), "показать записи скрипта и ссылки между ними в виде схемы.", true},
    {"EditPhrases", "Фразы", QKeyCombination(Qt::Key_F8), "показать и изменить фразы EDT-файла текущего скрипта.", true},
    {"ImportPhrases", "Загрузить фразы из TXT...", QKeyCombination(), "заменить все фразы текстом из файла экспорта EDT.", true},
    {"AddPhrase", "Добавить фразу к записи", Qt::CTRL | Qt::SHIFT | Qt::Key_P, "добавить пустую фразу после последней фразы текущей записи.", true},
    {"AppendPhrase", "Добавить фразу в конец", QKeyCombination(), "добавить пустую фразу в конец текста, номера фраз в записях не меняются.", true},
    {"InsertPhrase", "Вставить фразу", QKeyCombination(Qt::Key_Insert), "вставить пустую фразу перед выбранной, номера фраз в записях будут сдвинуты.", true},
    {"DeletePhrase", "Удалить фразу", QKeyCombination(Qt::Key_Delete), "удалить выбранную фразу, номера фраз в записях будут сдвинуты.", true},
    {"MovePhraseUp", "Сдвинуть фразу вверх", Qt::CTRL | Qt::Key_Up, "поменять выбранную фразу местами с предыдущей.", true},
    {"MovePhraseDown", "Сдвинуть фразу вниз", Qt::CTRL | Qt::Key_Down, "поменять выбранную фразу местами со следующей.", true},
    {"CheckScript", "Проверить скрипт", QKeyCombination(Qt::Key_F7), "показать ошибки и предупреждения во всех записях скрипта.", true},
    {"FindUsages", "Найти использование...", Qt::CTRL | Qt::Key_F, "найти записи скриптов папки, где встречается действие, предмет, персонаж, факт или квест.", true},
    {"Renumber", "Перенумеровать...", Qt::CTRL | Qt::Key_R, "дать предмету, факту, квесту, персонажу... другой номер во всех скриптах папки и в его списке.", true},
    {"ReplaceText", "Заменить в текстах...", Qt::CTRL | Qt::Key_H, "заменить слово или выражение во фразах этого скрипта или всех скриптов папки.", true},
    {"FollowLink", "Перейти по ссылке", Qt::CTRL | Qt::Key_L, "перейти к записи, которой текущая запись передаёт управление.", true},
    {"GoBack", "Назад", Qt::ALT | Qt::Key_Left, "вернуться туда, откуда был сделан последний переход по ссылке.", true},
    {"F_Standart", "Стандартный формат", Qt::ALT | Qt::Key_S, "", false},
    {"F_Vesta", "Вестинский формат", Qt::ALT | Qt::Key_B, "", false},
    {"Config", "Конфигурация", Qt::ALT | Qt::Key_C, "Панель управления основными свойствами программы.", false},
    {"Help", "Справка", QKeyCombination(Qt::Key_F1), "", false},
    {"About", "О программе...", QKeyCombination(), "", false},
    {"File_m", "Файл", QKeyCombination(), "", false},
    {"Edit_m", "Редактировать", QKeyCombination(), "", false},
    {"Macros_m", "Макрос", QKeyCombination(), "", false},
    {"Service_m", "Сервис", QKeyCombination(), "", false},
    {"Help_m", "Справка", QKeyCombination(), "", false},
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
        // Key codes, not texts: reading fifty texts as keys took a visible part of the start.
        if (info.shortcut.key() != Qt::Key_unknown)
            action->setShortcut(QKeySequence(info.shortcut));
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
            {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});

    // The Edit menu's clean item answers Ctrl+Space as well.
    QAction *clean = named(window, "CleanRec");
    auto *cleanItem = new QAction(clean->text(), &window);
    cleanItem->setObjectName(QStringLiteral("N_CleanRec"));
    cleanItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Space));
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
