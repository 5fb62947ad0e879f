// View_Map: the dialogue map window.
#include "gui/map/View_Map.h"

#include "common/FileMessages.h"
#include "common/SaveFile.h"
#include "gui/map/MapItems.h"
#include "gui/map/MapPicture.h"
#include "gui/map/MapScene.h"
#include "gui/map/MapView.h"
#include "gui/widgets/Prompts.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QToolBar>
#include <QVBoxLayout>

View_Map::View_Map(ScriptSession &session, Prompts &prompts, QWidget &mainWindow)
    : ToolWindow(mainWindow), m_session(session), m_prompts(prompts)
{
    setObjectName(QStringLiteral("View_Map"));
    setWindowTitle(QStringLiteral("Карта диалога"));
    m_scene = new MapScene(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *tools = new QToolBar(this);
    tools->setObjectName(QStringLiteral("Tool_Map"));
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tools->addAction(addAction("SaveMap", QStringLiteral("Сохранить схему..."), {}));
    m_pngScale = new QComboBox(tools);
    m_pngScale->setObjectName(QStringLiteral("Combo_PngScale"));
    m_pngScale->setToolTip(QStringLiteral("Масштаб рисунка PNG: во сколько раз крупнее схемы на экране при масштабе 100%"));
    for (const int scale : MapPicture::Scales)
        m_pngScale->addItem(QStringLiteral("PNG %1x").arg(scale), scale);
    tools->addWidget(m_pngScale);
    tools->addSeparator();
    tools->addAction(addAction("ZoomIn", QStringLiteral("Увеличить"),
                               {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)}));
    tools->addAction(addAction("ZoomOut", QStringLiteral("Уменьшить"), {QKeySequence(Qt::CTRL | Qt::Key_Minus)}));
    tools->addAction(addAction("ZoomFit", QStringLiteral("По размеру окна"), {QKeySequence(Qt::CTRL | Qt::Key_0)}));
    layout->addWidget(tools);
    m_view = new MapView(*m_scene, this);
    layout->addWidget(m_view, 1);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("Lbl_MapSummary"));
    m_summary->setContentsMargins(6, 3, 6, 3);
    layout->addWidget(m_summary);
    resize(820, 620);

    connect(action("SaveMap"), &QAction::triggered, this, &View_Map::SaveMapExecute);
    connect(action("ZoomIn"), &QAction::triggered, m_view, &MapView::zoomIn);
    connect(action("ZoomOut"), &QAction::triggered, m_view, &MapView::zoomOut);
    connect(action("ZoomFit"), &QAction::triggered, m_view, [this] { m_view->fitToWindow(); });
    connect(m_view, &MapView::nodeClicked, this, &View_Map::nodeClicked);
    connect(m_view, &MapView::nodeDoubleClicked, this, &View_Map::nodeDoubleClicked);

    // Whatever the graph is made of: the records, the dialogue text, the folder's other
    // scripts, the script's own number.
    for (auto signal : {&ScriptSession::recordsChanged, &ScriptSession::findingsChanged,
                        &ScriptSession::stateChanged, &ScriptSession::listsChanged})
        connect(&m_session, signal, this, &View_Map::graphMayHaveChanged);
    connect(&m_session.dialogue(), &DialogueText::changed, this, &View_Map::graphMayHaveChanged);
    connect(&m_session.links(), &LinkNavigation::changed, this, &View_Map::graphMayHaveChanged);
    connect(&m_session, &ScriptSession::currentRecordChanged, this, [this] {
        if (isVisible())
            showCurrentRecord();
    });
}

QAction *View_Map::addAction(const char *name, const QString &text, const QList<QKeySequence> &keys)
{
    auto *action = new QAction(text, this);
    action->setObjectName(QLatin1String(name));
    action->setIconText(text); // the tool bar's button says it all, dots included
    action->setShortcuts(keys);
    QWidget::addAction(action);
    return action;
}

QAction *View_Map::action(const char *name) const
{
    return findChild<QAction *>(QLatin1String(name), Qt::FindDirectChildrenOnly);
}

void View_Map::ShowMapExecute()
{
    showInFront();
}

bool View_Map::event(QEvent *event)
{
    const bool handled = ToolWindow::event(event);
    if (event->type() == QEvent::Show) {
        if (m_stale)
            refresh();
        else
            showCurrentRecord();
    }
    return handled;
}

void View_Map::graphMayHaveChanged()
{
    if (isVisible())
        refresh();
    else
        m_stale = true;
}

void View_Map::refresh()
{
    m_stale = false;
    const ScriptGraph graph = m_session.analysis().graph();
    const QString script = m_session.document().path;
    if (m_drawn && script == m_drawnScript && graph == m_scene->graph())
        return;
    // The current record's box stays where it was in the window; else the middle does.
    QPointF centre = m_view->mapToScene(m_view->viewport()->rect().center());
    const MapNodeItem *before = m_scene->currentItem();
    const QPointF anchor = before ? before->pos() : QPointF();
    m_scene->setGraph(graph);
    if (const MapNodeItem *after = m_scene->currentItem(); before && after)
        centre += after->pos() - anchor;
    int broken = 0;
    for (const MapEdge &edge : graph.edges)
        broken += edge.broken() ? 1 : 0;
    int records = 0;
    for (const MapNode &node : graph.nodes)
        records += node.kind == MapNodeKind::Record ? 1 : 0;
    m_summary->setText(records == 0 ? QStringLiteral("В скрипте нет записей.")
                                    : QStringLiteral("Записей: %1, ссылок: %2, битых: %3.")
                                          .arg(records)
                                          .arg(graph.edges.size())
                                          .arg(broken));
    setWindowTitle(script.isEmpty() ? QStringLiteral("Карта диалога")
                                    : QStringLiteral("Карта диалога - ") + QFileInfo(script).fileName());
    if (!m_drawn || script != m_drawnScript) { // another script: a picture of its own
        m_drawn = true;
        m_drawnScript = script;
        m_view->fitToWindow(ReadableZoom);
    } else {
        m_view->centerOn(centre);
    }
    showCurrentRecord();
}

void View_Map::showCurrentRecord()
{
    m_scene->setCurrentRecord(m_session.CurRec());
    if (const MapNodeItem *item = m_scene->currentItem())
        m_view->ensureVisible(item, 40, 40);
}

void View_Map::nodeClicked(int node)
{
    const MapNode &picked = m_scene->graph().nodes.at(node);
    if (picked.kind != MapNodeKind::OtherScript && picked.record < RecordCount)
        emit recordPicked(picked.record);
}

void View_Map::nodeDoubleClicked(int node)
{
    const MapNode &picked = m_scene->graph().nodes.at(node);
    if (picked.kind == MapNodeKind::OtherScript)
        emit linkPicked(m_session.links().toOtherScript(picked.npc, picked.record));
}

void View_Map::SaveMapExecute()
{
    FileDialogOptions options;
    options.title = QStringLiteral("Сохранить схему");
    options.filter = QStringLiteral("Рисунки SVG|*.svg|Рисунки PNG|*.png");
    options.defaultSuffix = QStringLiteral("svg");
    options.directory = m_session.settings().config().WorkDir;
    if (const QFileInfo script(m_session.document().path); !script.fileName().isEmpty())
        options.fileName = script.dir().filePath(script.completeBaseName() + QStringLiteral(".svg"));
    const QString path = m_prompts.saveFile(this, options);
    if (path.isEmpty() || !m_prompts.mayOverwrite(this, path))
        return;
    const std::optional<MapFormat> format = mapFormatOf(path);
    if (!format) {
        m_prompts.error(this, QStringLiteral("Схему можно сохранить только в файл SVG или PNG (.svg, .png):\r\n") +
                                  QDir::toNativeSeparators(path));
        return;
    }
    if (m_stale)
        refresh();
    QByteArray picture;
    QString reason;
    if (!MapPicture::draw(*m_scene, *format, m_pngScale->currentData().toInt(), picture, reason))
        m_prompts.error(this, QStringLiteral("Схему не сохранить: ") + reason + QStringLiteral(".\r\n") +
                                  QDir::toNativeSeparators(path));
    else if (!saveFile(path, picture, reason))
        m_prompts.error(this, writeFailureText(path, reason));
}
