#pragma once

#include "gui/widgets/Prompts.h"

#include <QList>
#include <QStringList>

// What the program asked, in order.
struct AskedPrompt {
    enum Type { Message, OpenFile, SaveFile, Folder };
    Type type = Message;
    PromptKind kind = PromptKind::Information;
    QString text; // message text, or the dialog's title
    QMessageBox::StandardButtons buttons;
    FileDialogOptions options;
};

// Answers prompts from queues. A message box without a queued answer gets its
// cancelling button (No, Cancel or OK); a file dialog without one is cancelled.
class ScriptedPrompts : public Prompts
{
public:
    QList<AskedPrompt> asked;
    QList<QMessageBox::StandardButton> answers;
    QStringList files; // answers of file and folder dialogs; an empty string cancels

    QMessageBox::StandardButton message(QWidget *parent, PromptKind kind, const QString &text,
                                        QMessageBox::StandardButtons buttons) override;
    QString openFile(QWidget *parent, const FileDialogOptions &options) override;
    QString saveFile(QWidget *parent, const FileDialogOptions &options) override;
    QString chooseFolder(QWidget *parent, const QString &title, const QString &directory) override;

    // Texts of the message boxes asked so far.
    QStringList messageTexts() const;
    void clear() { asked.clear(); }
};
