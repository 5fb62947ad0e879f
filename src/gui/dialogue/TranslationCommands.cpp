#include "gui/dialogue/TranslationCommands.h"

#include "gui/widgets/Prompts.h"
#include "session/OpenTranslation.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>

namespace
{

QAction *makeAction(QWidget &window, const char *name, const QString &caption, const QString &hint)
{
    auto *action = new QAction(caption, &window);
    action->setObjectName(QLatin1String(name));
    QString title = caption;
    if (title.endsWith(QStringLiteral("...")))
        title.chop(3);
    action->setToolTip(title + QStringLiteral(":\n") + hint);
    return action;
}

} // namespace

TranslationCommands::TranslationCommands(OpenTranslation &translation, Prompts &prompts, QWidget &window,
                                         const QString &directory)
    : QObject(&window), m_translation(translation), m_prompts(prompts), m_window(window), m_directory(directory)
{
    m_open = makeAction(window, "OpenTranslation", QStringLiteral("Открыть перевод..."),
                        QStringLiteral("показать рядом с фразами их перевод из PO-файла."));
    m_save = makeAction(window, "SaveTranslation", QStringLiteral("Сохранить перевод"),
                        QStringLiteral("записать изменённый перевод в его PO-файл."));
    connect(m_open, &QAction::triggered, this, &TranslationCommands::OpenTranslationExecute);
    connect(m_save, &QAction::triggered, this, &TranslationCommands::SaveTranslationExecute);
    connect(&m_translation, &OpenTranslation::changed, this, &TranslationCommands::updateActions);
    updateActions();
}

void TranslationCommands::updateActions()
{
    m_save->setEnabled(m_translation.isModified());
}

bool TranslationCommands::mayDropChanges()
{
    if (!m_translation.isModified())
        return true;
    const auto answer = m_prompts.message(
        &m_window, PromptKind::Confirmation,
        QStringLiteral("Перевод %1 изменён.\r\nСохранить изменения?").arg(QDir::toNativeSeparators(m_translation.path())),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer == QMessageBox::No)
        return true;
    SaveTranslationExecute();
    return !m_translation.isModified();
}

void TranslationCommands::OpenTranslationExecute()
{
    if (!mayDropChanges())
        return;
    FileDialogOptions options;
    options.title = QStringLiteral("Открыть перевод");
    options.filter = QStringLiteral("Файлы перевода|*.po;*.pot|Все файлы|*.*");
    options.defaultSuffix = QStringLiteral("po");
    options.directory = m_translation.isOpen() ? QFileInfo(m_translation.path()).path() : m_directory;
    const QString path = m_prompts.openFile(&m_window, options);
    if (path.isEmpty())
        return;
    if (const SessionResult opened = m_translation.open(path); !opened)
        m_prompts.error(&m_window, opened.message);
}

void TranslationCommands::SaveTranslationExecute()
{
    if (const SessionResult saved = m_translation.save(); !saved)
        m_prompts.error(&m_window, saved.message);
}
