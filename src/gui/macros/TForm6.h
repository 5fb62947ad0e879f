// TForm6: the macro manager.
#pragma once

#include "gui/widgets/PlacedDialog.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QToolButton;
class Prompts;
class MacroLibrary;

// The macro manager: renames, deletes and reorders the macros. The file and the macro
// menu follow when it closes.
class TForm6 : public PlacedDialog
{
    Q_OBJECT
public:
    TForm6(MacroLibrary &library, Prompts &prompts, QWidget &mainWindow);

    void UpdateGrid();
    void StringGrid1SelectCell(int column, int row);
    void Btn_DelClick();
    void Btn_MoveUpClick();
    void Btn_MoveDownClick();
    void Btn_EditClick();
    void Btn_CloseClick();

    int selectedPosition() const { return m_selected; }
    bool changed() const { return m_changed; }

public slots:
    // The close box, Escape and "Закрыть" all end here.
    void reject() override;

private:
    void FormCreate();
    void FormActivate() override;
    // False when the changes could not be written and the manager stays open.
    bool FormClose();
    void Edit_MacrNameKeyPress();
    void selectRow(int row);
    void exchangeRows(int upper);

    int m_selected = 0;
    bool m_changed = false;

    QLabel *m_listLabel = nullptr;
    QTableWidget *m_grid = nullptr;
    QToolButton *m_del = nullptr;
    QToolButton *m_moveUp = nullptr;
    QToolButton *m_moveDown = nullptr;
    QLabel *m_nameLabel = nullptr;
    QLineEdit *m_name = nullptr;
    QToolButton *m_edit = nullptr;
    QPushButton *m_close = nullptr;
    MacroLibrary &m_library;
    Prompts &m_prompts;
};
