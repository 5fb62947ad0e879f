#pragma once

#include "editor/RecordList.h"

#include <QObject>

class TForm1;

// Cut, copy, paste, delete, clean, initialise and move of records.
class RecordCommands : public QObject
{
    Q_OBJECT
public:
    explicit RecordCommands(TForm1 &window);

    void CutRecExecute();
    void CopyRecExecute();
    void PasteRecExecute();
    void DeleteRecExecute();
    void CleanRecExecute();
    void InicialExecute();
    void MoveUpExecute();
    void MoveDownExecute();

private:
    RecordGridTexts readGrid() const;
    // Writes back only the cells that changed.
    void writeGrid(const RecordGridTexts &before, const RecordGridTexts &after);
    // Removes the current record with the link rewrite; shared by cut and delete.
    void removeCurrent();
    void moveCurrent(int delta);
    // Column 1 of the current row from the number the Action edit now shows.
    void showActionName();

    TForm1 &m_window;
};
