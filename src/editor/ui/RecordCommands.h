#pragma once

#include <QObject>

class TForm1;

// Cut, copy, paste, delete, clean, initialise and move of records.
class RecordCommands : public QObject
{
    Q_OBJECT
public:
    explicit RecordCommands(TForm1 &window);

private:
    TForm1 &m_window;
};
