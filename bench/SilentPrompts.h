#pragma once

#include "gui/widgets/Prompts.h"

// Answers every box with its cancelling button and cancels every file dialog, so a
// benchmark never waits for a user.
class SilentPrompts : public Prompts
{
public:
    QMessageBox::StandardButton message(QWidget *, PromptKind, const QString &,
                                        QMessageBox::StandardButtons buttons) override
    {
        for (auto button : {QMessageBox::No, QMessageBox::Cancel})
            if (buttons.testFlag(button))
                return button;
        return QMessageBox::Ok;
    }
    QString openFile(QWidget *, const FileDialogOptions &) override { return {}; }
    QString saveFile(QWidget *, const FileDialogOptions &) override { return {}; }
    QString chooseFolder(QWidget *, const QString &, const QString &) override { return {}; }
};
