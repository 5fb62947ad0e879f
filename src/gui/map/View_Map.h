// View_Map: the dialogue map window.
#pragma once

#include "gui/widgets/ToolWindow.h"
#include "session/ScriptSession.h"

class MapScene;
class MapView;
class Prompts;
class QAction;
class QComboBox;
class QLabel;

// The dialogue map beside the main window: the script's records and the links between
// them, kept current while the user edits, with the current record marked and in view.
// Hidden, it computes nothing; shown again, it draws what it missed.
class View_Map : public ToolWindow
{
    Q_OBJECT
public:
    // A map shown first is fitted to the window, but made no smaller than this.
    static constexpr qreal ReadableZoom = 0.6;

    View_Map(ScriptSession &session, Prompts &prompts, QWidget &mainWindow);

    // The ShowMap action: shows the window, or brings it to the front.
    void ShowMapExecute();
    // "Сохранить схему...": SVG or PNG by the extension chosen, a PNG in the scale picked
    // beside the command.
    void SaveMapExecute();

    MapScene &scene() const { return *m_scene; }
    MapView *Map_View() const { return m_view; }
    QComboBox *Combo_PngScale() const { return m_pngScale; }
    QAction *action(const char *name) const;

signals:
    // A record of this script was clicked: the main window selects it.
    void recordPicked(int record);
    // Another character's record was double-clicked: the main window follows the link.
    void linkPicked(const LinkNavigation::LinkTarget &target);

protected:
    bool event(QEvent *event) override;

private:
    // Draws the graph again when it changed, keeping the zoom and the place in view.
    void refresh();
    void showCurrentRecord();
    void nodeClicked(int node);
    void nodeDoubleClicked(int node);
    void graphMayHaveChanged();
    QAction *addAction(const char *name, const QString &text, const QList<QKeySequence> &keys);

    ScriptSession &m_session;
    Prompts &m_prompts;
    MapScene *m_scene = nullptr;
    MapView *m_view = nullptr;
    QLabel *m_summary = nullptr;
    QComboBox *m_pngScale = nullptr;
    bool m_stale = true;  // the session changed while the window was hidden
    bool m_drawn = false;  // the first drawing of a script is fitted to the window
    QString m_drawnScript; // the script drawn
};
