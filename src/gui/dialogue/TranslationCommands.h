#pragma once

#include <QObject>

class OpenTranslation;
class Prompts;
class QAction;
class QWidget;

// Opening and saving the translation shown in the phrases window. Its two actions live
// in that window, beside the lines they translate.
class TranslationCommands : public QObject
{
    Q_OBJECT
public:
    TranslationCommands(OpenTranslation &translation, Prompts &prompts, QWidget &window, const QString &directory);

    QAction *openAction() const { return m_open; }
    QAction *saveAction() const { return m_save; }

    void OpenTranslationExecute();
    void SaveTranslationExecute();
    // Before the translation is put away: true once its changes are saved or given up.
    bool mayDropChanges();

private:
    void updateActions();

    OpenTranslation &m_translation;
    Prompts &m_prompts;
    QWidget &m_window;
    QString m_directory;
    QAction *m_open = nullptr;
    QAction *m_save = nullptr;
};
