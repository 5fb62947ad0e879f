#pragma once

#include <QWidget>

class Prompts;
class QLineEdit;

// A folder shown whole and a button that picks another one through the prompts.
class FolderField : public QWidget
{
    Q_OBJECT
public:
    // `title` heads the folder dialog; `buttonText` is the button's ("...", "Папка...").
    FolderField(Prompts &prompts, const QString &title, const QString &buttonText, QWidget *parent);

    QString folder() const { return m_folder; }
    // Takes the folder as an absolute, clean path.
    void setFolder(const QString &folder);
    void FolderClick();

signals:
    void changed();

private:
    Prompts &m_prompts;
    QString m_title;
    QString m_folder;
    QLineEdit *m_edit = nullptr;
};
