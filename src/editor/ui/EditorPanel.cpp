#include "editor/ui/EditorPanel.h"

#include "app/ui/TForm1.h"

EditorPanel::EditorPanel(TForm1 &window, QWidget *parent) : QWidget(parent), m_window(window)
{
    setObjectName(QStringLiteral("EditorPanel"));
}

void EditorPanel::fillFromLists()
{
}

void EditorPanel::ShowRec()
{
    const int r = m_window.CurRec();
    if (m_window.document().IsRecEmpty(r)) {
        m_window.RecLabelPrefix = QStringLiteral("Пустая запись:");
        m_window.setRecordLabel(m_window.RecLabelPrefix, true);
        m_window.setActionEnabled(QStringLiteral("SaveAsMacr"), false);
        m_window.blankGridRow(r);
        return;
    }
    m_window.RecLabelPrefix = QStringLiteral("Запись:");
    m_window.setActionEnabled(QStringLiteral("SaveAsMacr"), true);
    m_window.fillGridRow(r);
}
