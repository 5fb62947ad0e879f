#include "gui/widgets/Prompts.h"

#include <QFileDialog>
#include <QFileInfo>

QString qtFileFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        entries << parts[i] + QStringLiteral(" (") +
                       QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')) + QLatin1Char(')');
    return entries.join(QStringLiteral(";;"));
}

namespace
{

QString titleOf(PromptKind kind)
{
    switch (kind) {
    case PromptKind::Warning:
        return QStringLiteral("Предупреждение");
    case PromptKind::Error:
        return QStringLiteral("Ошибка");
    case PromptKind::Information:
        return QStringLiteral("Информация");
    case PromptKind::Confirmation:
        return QStringLiteral("Подтверждение");
    }
    return {};
}

QMessageBox::Icon iconOf(PromptKind kind)
{
    switch (kind) {
    case PromptKind::Warning:
        return QMessageBox::Warning;
    case PromptKind::Error:
        return QMessageBox::Critical;
    case PromptKind::Information:
        return QMessageBox::Information;
    case PromptKind::Confirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

void prepare(QFileDialog &dialog, const FileDialogOptions &options)
{
    dialog.setWindowTitle(options.title);
    dialog.setNameFilter(qtFileFilter(options.filter));
    QString suffix = options.defaultSuffix;
    suffix.remove(QStringLiteral("*.")).remove(QLatin1Char('.'));
    dialog.setDefaultSuffix(suffix);
    dialog.setDirectory(options.directory);
    if (!options.fileName.isEmpty())
        dialog.selectFile(options.fileName);
    if (options.showHidden)
        dialog.setFilter(dialog.filter() | QDir::Hidden);
}

QString runFileDialog(QWidget *parent, const FileDialogOptions &options, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // The program asks its own overwrite question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    prepare(dialog, options);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

QMessageBox::StandardButton QtPrompts::message(QWidget *parent, PromptKind kind, const QString &text,
                                               QMessageBox::StandardButtons buttons)
{
    QMessageBox box(iconOf(kind), titleOf(kind), text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString QtPrompts::openFile(QWidget *parent, const FileDialogOptions &options)
{
    return runFileDialog(parent, options, QFileDialog::AcceptOpen);
}

QString QtPrompts::saveFile(QWidget *parent, const FileDialogOptions &options)
{
    return runFileDialog(parent, options, QFileDialog::AcceptSave);
}

QString QtPrompts::chooseFolder(QWidget *parent, const QString &title, const QString &directory)
{
    return QFileDialog::getExistingDirectory(parent, title, directory);
}

bool Prompts::mayOverwrite(QWidget *parent, const QString &path)
{
    return !QFileInfo::exists(path) ||
           confirm(parent, QStringLiteral("Файл с таким именем уже существует.\r\nЖелаете перезаписать?"),
                   QMessageBox::Yes | QMessageBox::No);
}
