#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

enum class PromptKind { Warning, Error, Information, Confirmation };

// A file dialog as the program describes it; the filter uses the "Name|*.ext|..." form.
struct FileDialogOptions {
    QString title;
    QString filter;
    QString defaultSuffix;
    QString directory;
    QString fileName;
    bool showHidden = false;
};

// Every message box and file dialog goes through here, so tests can answer them.
class Prompts
{
public:
    virtual ~Prompts() = default;

    virtual QMessageBox::StandardButton message(QWidget *parent, PromptKind kind, const QString &text,
                                                QMessageBox::StandardButtons buttons) = 0;
    // Empty when cancelled.
    virtual QString openFile(QWidget *parent, const FileDialogOptions &options) = 0;
    virtual QString saveFile(QWidget *parent, const FileDialogOptions &options) = 0;
    virtual QString chooseFolder(QWidget *parent, const QString &title, const QString &directory) = 0;

    // Shorthands for the common boxes.
    void error(QWidget *parent, const QString &text)
    {
        message(parent, PromptKind::Error, text, QMessageBox::Ok);
    }
    void warning(QWidget *parent, const QString &text)
    {
        message(parent, PromptKind::Warning, text, QMessageBox::Ok);
    }
    // True when no file is at the path, or the user agrees to replace it.
    bool mayOverwrite(QWidget *parent, const QString &path);
    bool confirm(QWidget *parent, const QString &text, QMessageBox::StandardButtons buttons)
    {
        return message(parent, PromptKind::Confirmation, text, buttons) == QMessageBox::Yes;
    }
};

// "Name|*.a|Other|*.*" as Qt writes it: "Name (*.a);;Other (*.*)".
QString qtFileFilter(const QString &filter);

class QtPrompts : public Prompts
{
public:
    QMessageBox::StandardButton message(QWidget *parent, PromptKind kind, const QString &text,
                                        QMessageBox::StandardButtons buttons) override;
    QString openFile(QWidget *parent, const FileDialogOptions &options) override;
    QString saveFile(QWidget *parent, const FileDialogOptions &options) override;
    QString chooseFolder(QWidget *parent, const QString &title, const QString &directory) override;
};
