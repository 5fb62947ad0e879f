#include "support/ScriptedPrompts.h"

QMessageBox::StandardButton ScriptedPrompts::message(QWidget *, PromptKind kind, const QString &text,
                                                     QMessageBox::StandardButtons buttons)
{
    asked.append({AskedPrompt::Message, kind, text, buttons, {}});
    if (!answers.isEmpty())
        return answers.takeFirst();
    for (auto button : {QMessageBox::No, QMessageBox::Cancel, QMessageBox::Ok}) {
        if (buttons.testFlag(button))
            return button;
    }
    return QMessageBox::NoButton;
}

QString ScriptedPrompts::openFile(QWidget *, const FileDialogOptions &options)
{
    asked.append({AskedPrompt::OpenFile, PromptKind::Information, options.title, {}, options});
    return files.isEmpty() ? QString() : files.takeFirst();
}

QString ScriptedPrompts::saveFile(QWidget *, const FileDialogOptions &options)
{
    asked.append({AskedPrompt::SaveFile, PromptKind::Information, options.title, {}, options});
    return files.isEmpty() ? QString() : files.takeFirst();
}

QString ScriptedPrompts::chooseFolder(QWidget *, const QString &title, const QString &directory)
{
    FileDialogOptions options;
    options.title = title;
    options.directory = directory;
    asked.append({AskedPrompt::Folder, PromptKind::Information, title, {}, options});
    return files.isEmpty() ? QString() : files.takeFirst();
}

QStringList ScriptedPrompts::messageTexts() const
{
    QStringList texts;
    for (const AskedPrompt &p : asked) {
        if (p.type == AskedPrompt::Message)
            texts << p.text;
    }
    return texts;
}
