#pragma once

#include "gui/widgets/CommandContext.h"

#include <QMessageBox>
#include <QObject>

// Cut, copy, paste, delete, clean, initialise and move of records.
class RecordCommands : public QObject
{
    Q_OBJECT
public:
    explicit RecordCommands(const CommandContext &context);

    void CutRecExecute();
    void CopyRecExecute();
    void PasteRecExecute();
    void DeleteRecExecute();
    void CleanRecExecute();
    void InicialExecute();
    void MoveUpExecute();
    void MoveDownExecute();

private:
    bool confirm(const QString &text);
    // A used record is only overwritten after a warning; an empty one without.
    bool mayOverwriteCurrent(const QString &warning);

    CommandContext m_context;
    ScriptSession &m_session;
};
