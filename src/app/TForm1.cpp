// TForm1: the main window: the record grid, the field panel, menus and tool bar.
#include "app/TForm1.h"

#include "app/ActionTable.h"
#include "app/FontPrefetch.h"
#include "app/MainWindowLabels.h"
#include "common/FileMessages.h"
#include "common/StartupSteps.h"
#include "gui/file/DocumentCommands.h"
#include "gui/records/EditorPanel.h"
#include "gui/records/RecordGrid.h"
#include "gui/widgets/CommandContext.h"
#include "gui/widgets/ElidedLabel.h"
#include "gui/widgets/ImageCheckBox.h"
#include "gui/widgets/ProgramIcon.h"
#include "gui/widgets/Prompts.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

namespace
{

constexpr int PanelPaneWidth = 630; // window width minus the grid pane

QLabel *stripLabel(QWidget *parent, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    QFont font = label->font();
    font.setBold(true);
    font.setPointSize(10);
    label->setFont(font);
    return label;
}

} // namespace

TForm1::TForm1(ScriptSession &session, Prompts &prompts, QWidget *parent)
    : QMainWindow(parent), m_session(session), m_prompts(prompts)
{
    setObjectName(QStringLiteral("TForm1"));
    FormCreate();
}

TForm1::~TForm1()
{
    IniWrite();
}

void TForm1::FormCreate()
{
    setWindowTitle(QStringLiteral("Scrivlet"));

    ActionTable::createActions(*this);
    m_fileMenu = ActionTable::buildMainMenu(*this, menuBar());
    buildToolBar();
    FontPrefetch::finish(); // the grid's header is the first to measure text
    buildCentralArea();
    auto *status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar"));
    status->setFixedHeight(19);
    status->setSizeGripEnabled(false);
    m_lblIncomingLinks = new ElidedLabel(status);
    m_lblIncomingLinks->setObjectName(QStringLiteral("Lbl_IncomingLinks"));
    status->addWidget(m_lblIncomingLinks, 1);
    setStatusBar(status);

    restorePlace();
    StartupSteps::done("main window");

    connect(&m_session, &ScriptSession::stateChanged, this, &TForm1::updateActions);
    connect(&m_session.macroLibrary(), &MacroLibrary::changed, this, &TForm1::updateActions);
    connect(&m_session.dialogue(), &DialogueText::changed, this, &TForm1::updateActions);
    connect(&m_session.links(), &LinkNavigation::changed, this, &TForm1::updateActions);
    connect(&m_session.settings(), &AppSettings::changed, this, &TForm1::updateActions);

    sayListMessages();
    initialiseWindow();
    StartupSteps::done("main window");
    if (const SessionResult read = m_session.macroLibrary().load(); !read)
        m_prompts.error(this, read.message);
    StartupSteps::done("macros");
    setAcceptDrops(true);
}

void TForm1::buildToolBar()
{
    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(16, 16));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    addToolBar(Qt::TopToolBarArea, bar);

    auto add = [&](std::initializer_list<const char *> names) {
        for (const char *name : names)
            bar->addAction(action(QLatin1String(name)));
    };
    add({"New", "Open", "Save", "SaveAs"});
    bar->addSeparator();
    add({"Undo", "Redo"});
    bar->addSeparator();
    add({"OpenEdt", "ExportEdt"});
    bar->addSeparator();
    add({"CutRec", "CopyRec", "PasteRec", "CleanRec", "DeleteRec"});
    bar->addSeparator();
    add({"Inicial"});
    bar->addSeparator();
    add({"MoveUp", "MoveDown"});
    bar->addSeparator();

    m_btnMacr = new QToolButton(bar);
    m_btnMacr->setObjectName(QStringLiteral("Btn_Macr"));
    m_btnMacr->setText(QStringLiteral("Макрос"));
    m_btnMacr->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_btnMacr->setIcon(programIcon(QStringLiteral(":/icons/Btn_Macr.svg")));
    m_btnMacr->setPopupMode(QToolButton::InstantPopup);
    m_btnMacr->setMenu(ActionTable::createMacrosMenu(*this));
    m_btnMacr->setEnabled(false);
    bar->addWidget(m_btnMacr);
    bar->addAction(action(QStringLiteral("SaveAsMacr")));
    if (QWidget *w = bar->widgetForAction(action(QStringLiteral("SaveAsMacr"))))
        w->setObjectName(QStringLiteral("Btn_SaveMacr"));
    bar->addSeparator();

    m_checkVesta =
        new ImageCheckBox(programIcon(QStringLiteral(":/icons/Check_Vesta_off.svg")),
                          programIcon(QStringLiteral(":/icons/Check_Vesta_on.svg")), QSize(36, 20), bar);
    m_checkVesta->setObjectName(QStringLiteral("Check_Vesta"));
    bar->addWidget(m_checkVesta);
    bar->addSeparator();
    add({"ReloadTxt", "ShowEdt", "EditPhrases", "RunEdt", "ShowMap", "CheckScript"});
    bar->addSeparator();
    add({"Config"});
    bar->addSeparator();

    auto *help = new QToolButton(bar);
    help->setObjectName(QStringLiteral("Btn_Help"));
    help->setText(QStringLiteral("Справка"));
    help->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    help->setIcon(programIcon(QStringLiteral(":/icons/Help.svg")));
    help->setPopupMode(QToolButton::InstantPopup);
    help->setMenu(ActionTable::createHelpMenu(*this));
    bar->addWidget(help);

    for (QAction *a : bar->actions()) {
        if (QWidget *w = bar->widgetForAction(a);
            w && w->objectName().isEmpty() && !a->objectName().isEmpty())
            w->setObjectName(QStringLiteral("Btn_") + a->objectName());
    }
}

void TForm1::buildCentralArea()
{
    auto *central = new QWidget(this);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto *strip = new QWidget(central);
    strip->setObjectName(QStringLiteral("LabelStrip"));
    strip->setFixedHeight(25);
    auto *stripLayout = new QHBoxLayout(strip);
    stripLayout->setContentsMargins(8, 0, 10, 0);
    m_lblNpcName = stripLabel(strip, "Lbl_NpcName");
    m_lblRecordNo = stripLabel(strip, "Lbl_RecordNo");
    m_lblRecordNo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    stripLayout->addWidget(m_lblNpcName);
    stripLayout->addStretch();
    stripLayout->addWidget(m_lblRecordNo);
    column->addWidget(strip);

    m_splitter = new QSplitter(Qt::Horizontal, central);
    m_splitter->setObjectName(QStringLiteral("Splitter"));
    m_splitter->setChildrenCollapsible(false);

    m_grid = new RecordGrid(m_session, m_splitter);
    m_grid->setContextMenu(ActionTable::createGridMenu(*this));

    m_editorPanel = new EditorPanel(m_session, m_prompts, m_splitter);
    // The panels keep their width when the window grows; the splitter may widen them.
    m_editorPanel->setMinimumWidth(PanelPaneWidth - m_splitter->handleWidth());
    m_splitter->addWidget(m_grid);
    m_splitter->addWidget(m_editorPanel);
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 0);
    connect(m_splitter, &QSplitter::splitterMoved, this,
            [this] { m_grid->fitColumns(m_splitter->sizes().value(0)); });
    column->addWidget(m_splitter, 1);
    setCentralWidget(central);
}

void TForm1::sayListMessages()
{
    // Lines the lists could not make sense of are used as read; the problems window lists
    // them. Said once counted, which a message box about a list may come before.
    connect(
        &m_session, &ScriptSession::unclearListsCounted, this,
        [this] {
            if (const QString unclear = unclearListsSummary(m_session.unclearListCounts());
                !unclear.isEmpty())
                statusBar()->showMessage(unclear, 30000);
        },
        Qt::SingleShotConnection);
    connect(&m_session, &ScriptSession::listsReadLater, this, [this](const QList<SessionResult> &failures) {
        CommandContext{m_session, m_prompts, *this}.report(failures);
    });
}

void TForm1::initialiseWindow()
{
    m_grid->fitColumns(width() - PanelPaneWidth);
    m_checkVesta->setToolTip(QStringLiteral("Формат NPC-файла: стандартный или вестинский"));
    m_btnMacr->setToolTip(
        QStringLiteral("Выбрать макрос:\nмакрос, выбранный из списка, будет вставлен в текущую запись."));
    m_session.showAsItStands();
}

QAction *TForm1::action(const QString &name) const
{
    return findChild<QAction *>(name, Qt::FindDirectChildrenOnly);
}

QString TForm1::gridText(int row, int column) const
{
    return m_grid->cellText(row, column);
}

void TForm1::selectGridRow(int row)
{
    m_grid->selectGridRow(row);
}

void TForm1::showRecentFiles()
{
    const QStringList &files = m_session.settings().config().RecentFiles;
    if (files == m_recentShown)
        return;
    m_recentShown = files;
    qDeleteAll(m_recentItems);
    m_recentItems.clear();
    QAction *quit = action(QStringLiteral("Quit"));
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files.at(i);
        QString name = QFileInfo(path).fileName();
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto *item = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name), this);
        item->setObjectName(QStringLiteral("RecentFile%1").arg(i + 1));
        item->setToolTip(QDir::toNativeSeparators(path));
        connect(item, &QAction::triggered, this, [this, path] {
            if (m_commands.document)
                m_commands.document->openRecentFile(path);
        });
        m_fileMenu->insertAction(quit, item);
        m_recentItems << item;
    }
    if (!files.isEmpty()) {
        auto *separator = new QAction(this);
        separator->setSeparator(true);
        m_fileMenu->insertAction(quit, separator);
        m_recentItems << separator;
    }
}

void TForm1::updateActions()
{
    setWindowTitle(MainWindowLabels::title(m_session));
    m_lblRecordNo->setText(MainWindowLabels::recordLabel(m_session));
    QPalette palette = m_lblRecordNo->palette();
    palette.setColor(QPalette::WindowText, m_session.recordShownEmpty()
                                               ? QColor(Qt::red)
                                               : this->palette().color(QPalette::WindowText));
    m_lblRecordNo->setPalette(palette);
    m_lblNpcName->setText(MainWindowLabels::npcName(m_session));
    const LinkNavigation::Incoming incoming = m_session.analysis().incomingLinks(m_session.CurRec());
    m_lblIncomingLinks->setFullText(incoming.text, QStringLiteral("… (всего %1)").arg(incoming.count));
    showRecentFiles();

    const bool vesta = m_session.document().layout == NpcLayout::VestaLayout;
    {
        const QSignalBlocker blocker(m_checkVesta);
        m_checkVesta->setChecked(vesta);
    }
    action(vesta ? QStringLiteral("F_Vesta") : QStringLiteral("F_Standart"))->setChecked(true);

    const CommandState can = m_session.commandState();
    const std::pair<const char *, bool> states[] = {
        {"Save", can.save},
        {"PasteRec", can.paste},
        {"MoveUp", can.moveUp},
        {"MoveDown", can.moveDown},
        {"SaveAsMacr", can.saveAsMacro},
        {"MacrManager", can.macroManager},
        {"ReloadTxt", can.dialogue},
        {"ShowEdt", can.dialogue},
        {"ExportEdt", can.dialogue},
        {"RunEdt", can.runEditor},
        {"Undo", can.undo},
        {"Redo", can.redo},
        {"FollowLink", can.followLink},
        {"GoBack", can.goBack},
        {"EditPhrases", can.editPhrases},
        {"ImportPhrases", can.importPhrases},
        {"AddPhrase", can.addPhrase},
        {"AppendPhrase", can.appendPhrase},
        {"InsertPhrase", can.insertPhrase},
        {"DeletePhrase", can.deletePhrase},
        {"MovePhraseUp", can.movePhraseUp},
        {"MovePhraseDown", can.movePhraseDown},
        {"Renumber", can.renumber},
    };
    for (const auto &[name, enabled] : states)
        action(QLatin1String(name))->setEnabled(enabled);
    m_btnMacr->setEnabled(can.macroManager);

    // The menu names the step; the tool tip keeps the command's hint.
    auto name = [](const QString &command, const QString &step) {
        return step.isEmpty() ? command : command + QStringLiteral(": ") + step;
    };
    action(QStringLiteral("Undo"))->setText(name(QStringLiteral("Отменить"), can.undoName));
    action(QStringLiteral("Redo"))->setText(name(QStringLiteral("Повторить"), can.redoName));
}

void TForm1::FormResize()
{
    // A resize that leaves the size as it was changes nothing, the splitter included.
    if (size() == std::exchange(m_formSize, size()))
        return;
    int gridPane = std::max(0, width() - PanelPaneWidth);
    // Where the user left the splitter at the last exit, once the window first has its size.
    if (const std::optional<int> kept = std::exchange(m_keptSplitter, std::nullopt))
        gridPane = std::clamp(*kept, 0, gridPane);
    m_splitter->setSizes({gridPane, width() - m_splitter->handleWidth() - gridPane});
    m_grid->fitColumns(gridPane);
}

bool TForm1::event(QEvent *event)
{
    const bool handled = QMainWindow::event(event);
    // Reading the lists and counting their unclear lines wait until the window is first
    // painted: beside its building, on a machine of two cores, they slow the start-up.
    // Nothing shown before needs them, and they are in long before a hand can ask.
    if (event->type() == QEvent::Paint && !std::exchange(m_painted, true)) {
        QMetaObject::invokeMethod(&m_session, &ScriptSession::loadListsLater, Qt::QueuedConnection);
        QMetaObject::invokeMethod(&m_session, &ScriptSession::countUnclearListLines, Qt::QueuedConnection);
    }
    return handled;
}

void TForm1::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (m_session.hasUnsavedChanges() &&
        !m_prompts.confirm(
            this,
            QStringLiteral("Текущие данные не сохранены.\r\nВы уверены, что хотите выйти из программы?"),
            QMessageBox::Yes | QMessageBox::No)) {
        event->ignore();
        return;
    }
    for (const auto &guard : m_closeGuards) {
        if (!guard()) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

void TForm1::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return;
    event->acceptProposedAction();
    if (m_commands.document)
        m_commands.document->FilesDropped(urls.first().toLocalFile());
}

void TForm1::restorePlace()
{
    const AppConfig &config = m_session.settings().config();
    const int width = config.FormWidth;
    const int height =
        config.FormHeight.value_or(695) >= MinFormHeight ? config.FormHeight.value_or(695) : 695;
    resize(width, height);
    const QScreen *screen = this->screen();
    if (config.FormLeft && config.FormTop) {
        // Only where a screen still shows the window's title bar.
        const QPoint titleBar(*config.FormLeft + width / 2, *config.FormTop + 10);
        if (QGuiApplication::screenAt(titleBar)) {
            move(*config.FormLeft, *config.FormTop);
            screen = nullptr;
        }
    }
    if (screen)
        move(screen->availableGeometry().center() - QPoint(width / 2, height / 2));
    if (config.FormMaximized)
        setWindowState(windowState() | Qt::WindowMaximized);
    m_keptSplitter = config.SplitterPos;
}

void TForm1::IniWrite()
{
    AppConfig &config = m_session.settings().config();
    const QRect normal = isMaximized() ? normalGeometry() : QRect(pos(), size());
    config.FormWidth = normal.width();
    config.FormLeft = normal.x();
    config.FormTop = normal.y();
    config.FormHeight = normal.height();
    config.FormMaximized = isMaximized();
    config.SplitterPos = m_splitter->sizes().value(0);
    if (const SessionResult saved = m_session.settings().save(); !saved)
        m_prompts.error(nullptr, saved.message);
}
