#pragma once

#include <QWidget>

class TForm1;

// The two field panels of the current record.
class EditorPanel : public QWidget
{
    Q_OBJECT
public:
    EditorPanel(TForm1 &window, QWidget *parent);

    // Fills the combo boxes from the lists and sets the edit limits.
    void fillFromLists();
    // Shows record CurRec in every control and in its grid row.
    void ShowRec();

private:
    TForm1 &m_window;
};
