#include "gui/map/MapItems.h"
#include "gui/map/MapPicture.h"
#include "gui/map/MapScene.h"
#include "gui/map/MapView.h"
#include "gui/map/View_Map.h"
#include "session/SessionFixture.h"
#include "support/QtPrinters.h"
#include "support/ScriptedPrompts.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QScrollBar>
#include <QTest>
#include <QXmlStreamReader>
#ifdef SCRIVLET_QT_SVG
#include <QSvgRenderer>
#endif

namespace
{

// The size an SVG file gives itself; invalid when it cannot be read. Drawn by Qt's SVG
// module where there is one, else read as XML (the Windows build has no SVG module).
QSize svgSize(const QString &path)
{
#ifdef SCRIVLET_QT_SVG
    QSvgRenderer renderer(path);
    return renderer.isValid() ? renderer.defaultSize() : QSize();
#else
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    QSize size;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("svg"))
            size = QSize(xml.attributes().value(QLatin1String("width")).toInt(),
                         xml.attributes().value(QLatin1String("height")).toInt());
    }
    return xml.hasError() ? QSize() : size;
#endif
}

// The map of npc/057.npc: records 0 to 5 used, 0 -> 1 -> 2 -> 0, 3 -> empty 9, 4 -> #112 · 0.
class MapWindowTest : public SessionFixture
{
protected:
    void SetUp() override
    {
        SessionFixture::SetUp();
        NpcRecords own{};
        for (int i = 0; i < 6; ++i)
            own[i] = used(1);
        own[0] = used(1, 57, 1);
        own[0].Phrase = 0;
        own[1] = used(1, 57, 2);
        own[2] = used(1, 57, 0);
        own[3] = used(1, 57, 9);
        own[4] = used(1, 112, 0);
        writeScript(QStringLiteral("npc/057.npc"), own);
        writeFile(QStringLiteral("npc/057.edt"), edtBytes({"Welcome, traveller. To the AVA Tower"}));
        NpcRecords other{};
        other[0] = used(1);
        writeScript(QStringLiteral("npc/112.npc"), other);
        ASSERT_TRUE(session().openScript(pathIn(QStringLiteral("npc/057.npc")), {}));

        mainWindow = std::make_unique<QWidget>();
        mainWindow->resize(400, 300);
        map = new View_Map(session(), prompts, *mainWindow);
        map->resize(700, 500);
        QObject::connect(map, &View_Map::recordPicked, &session(), &ScriptSession::selectRecord);
    }

    MapScene &scene() { return map->scene(); }
    MapView &view() { return *map->Map_View(); }
    MapNodeItem *boxOf(int record) { return scene().nodeItem(scene().graph().nodeOfRecord(record)); }
    // Where a box shows in the view's viewport.
    QPoint pointOf(const MapNodeItem *item) { return view().mapFromScene(item->pos()); }
    QStringList titles()
    {
        QStringList list;
        for (const MapNode &node : scene().graph().nodes)
            list << node.title;
        return list;
    }
    // "from -> to" by record, of every link drawn.
    QStringList links()
    {
        QStringList list;
        const ScriptGraph &graph = scene().graph();
        for (const MapEdge &edge : graph.edges)
            list << graph.nodes[edge.from].title.section(QLatin1Char(' '), 0, 0) + QStringLiteral(" -> ") +
                        graph.nodes[edge.to].title.section(QLatin1Char(' '), 0, 0);
        return list;
    }
    QString savePicture(const QString &name)
    {
        prompts.files << pathIn(name);
        map->SaveMapExecute();
        return pathIn(name);
    }

    ScriptedPrompts prompts;
    std::unique_ptr<QWidget> mainWindow;
    View_Map *map = nullptr;
};

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST_F(MapWindowTest, ShowsEveryUsedRecordAndFollowsEditsOnlyWhileShown)
{
    EXPECT_TRUE(scene().items().isEmpty()); // closed, it has computed nothing
    map->ShowMapExecute();
    ASSERT_TRUE(map->isVisible());
    EXPECT_EQ(titles().mid(0, 6), (QStringList{QStringLiteral("0 · Разговор"), QStringLiteral("1 · Разговор"),
                                              QStringLiteral("2 · Разговор"), QStringLiteral("3 · Разговор"),
                                              QStringLiteral("4 · Разговор"), QStringLiteral("5 · Разговор")}));
    EXPECT_EQ(boxOf(0)->texts().last(), QStringLiteral("«Welcome, traveller. To the AVA Tower»"));
    writeFile(QStringLiteral("npc/other.edt"), edtBytes({"Farewell"}));
    ASSERT_TRUE(session().dialogue().import(pathIn(QStringLiteral("npc/other.edt"))));
    EXPECT_EQ(boxOf(0)->texts().last(), QStringLiteral("«Farewell»"));
    EXPECT_EQ(links(), (QStringList{QStringLiteral("0 -> 1"), QStringLiteral("1 -> 2"), QStringLiteral("2 -> 0"),
                                    QStringLiteral("3 -> 9"), QStringLiteral("4 -> #112")}));
    EXPECT_TRUE(scene().edgeItem(3)->isBroken());
    // In the editor's words, as the panels name the field.
    EXPECT_EQ(scene().edgeItem(3)->toolTip(), QStringLiteral("«Запись No»=9: запись 9 этого скрипта пуста"));
    EXPECT_EQ(map->findChild<QLabel *>(QStringLiteral("Lbl_MapSummary"))->text(),
              QStringLiteral("Записей: 6, ссылок: 5, битых: 1."));

    // An edit of a link redraws, keeping the zoom and the edited box in view.
    session().selectRecord(3);
    view().setZoom(2.0);
    session().commitField(NpcField::ControlRec, QStringLiteral("5"));
    EXPECT_EQ(links().at(3), QStringLiteral("3 -> 5"));
    EXPECT_FALSE(scene().edgeItem(3)->isBroken());
    EXPECT_DOUBLE_EQ(view().zoom(), 2.0);
    EXPECT_TRUE(view().viewport()->rect().contains(pointOf(boxOf(3))));
    // An edit the map does not show leaves the drawing and the view alone.
    const MapNodeItem *drawn = boxOf(3);
    const int scrolled = view().horizontalScrollBar()->value();
    session().commitField(NpcField::Mode, QStringLiteral("3"));
    EXPECT_EQ(boxOf(3), drawn);
    EXPECT_EQ(view().horizontalScrollBar()->value(), scrolled);

    // Hidden, it follows nothing; shown again, it draws what it missed.
    map->close();
    session().commitField(NpcField::ControlRec, QStringLiteral("1"));
    EXPECT_EQ(links().at(3), QStringLiteral("3 -> 5"));
    map->ShowMapExecute();
    EXPECT_EQ(links().at(3), QStringLiteral("3 -> 1"));

    // Another script is a picture of its own, fitted to the window.
    view().setZoom(MapView::MaxZoom);
    ASSERT_TRUE(session().openScript(pathIn(QStringLiteral("npc/112.npc")), {}));
    // Its record 0 is reached from record 4 of the first script.
    EXPECT_EQ(titles(), (QStringList{QStringLiteral("0 · Разговор"), QStringLiteral("#57 · 4")}));
    EXPECT_LE(view().zoom(), 1.0);
    EXPECT_GE(view().zoom(), View_Map::ReadableZoom);
    EXPECT_EQ(map->windowTitle(), QStringLiteral("Карта диалога - 112.npc"));
}

TEST_F(MapWindowTest, AClickSelectsTheRecordAndTheMarkFollowsTheCurrentRecord)
{
    map->ShowMapExecute();
    EXPECT_TRUE(boxOf(0)->isCurrent());
    QTest::mouseClick(view().viewport(), Qt::LeftButton, {}, pointOf(boxOf(2)));
    EXPECT_EQ(session().CurRec(), 2);
    EXPECT_TRUE(boxOf(2)->isCurrent());
    EXPECT_FALSE(boxOf(0)->isCurrent());

    // A record chosen elsewhere is marked and brought into view.
    view().setZoom(MapView::MaxZoom);
    session().selectRecord(5);
    EXPECT_TRUE(boxOf(5)->isCurrent());
    const QRectF visible = view().mapToScene(view().viewport()->rect()).boundingRect();
    EXPECT_TRUE(visible.intersects(boxOf(5)->sceneBoundingRect()));

    // The empty target of a link is a record of this script too.
    view().fitToWindow();
    QTest::mouseClick(view().viewport(), Qt::LeftButton, {}, pointOf(boxOf(9)));
    EXPECT_EQ(session().CurRec(), 9);
    EXPECT_TRUE(boxOf(9)->isCurrent());

    // Another character's record is followed on a double click, never selected here.
    std::optional<LinkNavigation::LinkTarget> followed;
    QObject::connect(map, &View_Map::linkPicked, [&followed](const LinkNavigation::LinkTarget &target) {
        followed = target;
    });
    const MapNodeItem *other = scene().nodeItem(scene().graph().edges[4].to);
    QTest::mouseClick(view().viewport(), Qt::LeftButton, {}, pointOf(other));
    EXPECT_EQ(session().CurRec(), 9);
    EXPECT_FALSE(followed);
    QTest::mouseDClick(view().viewport(), Qt::LeftButton, {}, pointOf(other));
    ASSERT_TRUE(followed);
    EXPECT_FALSE(followed->local);
    EXPECT_EQ(followed->npc, 112);
    EXPECT_EQ(followed->record, 0);
    EXPECT_EQ(QFileInfo(followed->path).fileName(), QStringLiteral("112.npc"));
}

TEST_F(MapWindowTest, DraggingPansAndZoomFollowsCtrlWheelAndTheKeys)
{
    map->ShowMapExecute();
    QApplication::setActiveWindow(map);
    view().setZoom(MapView::MaxZoom);
    QScrollBar *across = view().horizontalScrollBar();
    across->setValue(across->maximum() / 2);
    const int before = across->value();
    const QPoint start = pointOf(boxOf(1)); // a drag may start on a box
    QTest::mousePress(view().viewport(), Qt::LeftButton, {}, start);
    QTest::mouseMove(view().viewport(), start + QPoint(60, 0));
    QTest::mouseRelease(view().viewport(), Qt::LeftButton, {}, start + QPoint(60, 0));
    EXPECT_EQ(across->value(), before - 60);
    EXPECT_EQ(session().CurRec(), 0); // a drag is no click

    const auto wheel = [this](Qt::KeyboardModifiers modifiers, int delta) {
        const QPointF at = view().viewport()->rect().center();
        QWheelEvent event(at, view().viewport()->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(view().viewport(), &event);
    };
    view().setZoom(1.0);
    wheel(Qt::ControlModifier, 120);
    EXPECT_DOUBLE_EQ(view().zoom(), MapView::ZoomStep);
    wheel(Qt::NoModifier, -120); // scrolls, zooms not
    EXPECT_DOUBLE_EQ(view().zoom(), MapView::ZoomStep);
    QTest::keyClick(map, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(view().zoom(), 1.0);
    QTest::keyClick(map, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(view().zoom(), MapView::ZoomStep);
    QTest::keyClick(map, Qt::Key_0, Qt::ControlModifier);
    const QRectF visible = view().mapToScene(view().viewport()->rect()).boundingRect();
    EXPECT_TRUE(visible.adjusted(-1, -1, 1, 1).contains(scene().sceneRect()));
    EXPECT_LE(view().zoom(), 1.0);
}

TEST_F(MapWindowTest, SavesTheWholeMapAsSvgOrPngWithoutTheMark)
{
    map->ShowMapExecute();
    const QSize size = MapPicture::pixelSize(scene());
    EXPECT_EQ(size, scene().sceneRect().size().toSize());

    const QString svg = savePicture(QStringLiteral("map.svg"));
    EXPECT_TRUE(prompts.messageTexts().isEmpty());
    EXPECT_EQ(svgSize(svg), size);
    EXPECT_EQ(prompts.asked.first().options.filter, QStringLiteral("Рисунки SVG|*.svg|Рисунки PNG|*.png"));
    EXPECT_EQ(QFileInfo(prompts.asked.first().options.fileName).fileName(), QStringLiteral("057.svg"));

    const QByteArray first = fileBytes(savePicture(QStringLiteral("map.PNG")));
    EXPECT_EQ(QImage::fromData(first).size(), size);
    session().selectRecord(4); // the mark is the editor's, not the picture's
    prompts.answers << QMessageBox::Yes;
    EXPECT_EQ(fileBytes(savePicture(QStringLiteral("map.PNG"))), first);
    EXPECT_EQ(boxOf(4)->isCurrent(), true);

    // Declined, refused or failed: the old file stays and the user is told.
    prompts.clear();
    prompts.answers << QMessageBox::No;
    writeFile(QStringLiteral("old.png"), "old");
    savePicture(QStringLiteral("old.png"));
    EXPECT_EQ(readFile(QStringLiteral("old.png")), "old");
    savePicture(QStringLiteral("map.jpg"));
    EXPECT_FALSE(QFile::exists(pathIn(QStringLiteral("map.jpg"))));
    savePicture(QStringLiteral("missing/map.svg"));
    const QStringList said = prompts.messageTexts();
    ASSERT_EQ(said.size(), 3);
    EXPECT_TRUE(said[0].startsWith(QStringLiteral("Файл с таким именем уже существует.")));
    EXPECT_TRUE(said[1].startsWith(QStringLiteral("Схему можно сохранить только в файл SVG или PNG")));
    EXPECT_TRUE(said[2].contains(QDir::toNativeSeparators(pathIn(QStringLiteral("missing/map.svg")))));
}

TEST_F(MapWindowTest, RecordsLeadingInFromOtherScriptsAndPngsInEachScale)
{
    NpcRecords shop{};
    shop[3] = used(1, 57, 1);
    writeScript(QStringLiteral("npc/200.npc"), shop);
    ASSERT_TRUE(session().openScript(pathIn(QStringLiteral("npc/057.npc")), {}));
    map->ShowMapExecute();
    EXPECT_TRUE(links().contains(QStringLiteral("#200 -> 1"))) << links().join(u',').toStdString();

    const QSize size = MapPicture::pixelSize(scene());
    ASSERT_EQ(map->Combo_PngScale()->count(), 3);
    map->Combo_PngScale()->setCurrentIndex(2);
    const QByteArray large = fileBytes(savePicture(QStringLiteral("large.png")));
    EXPECT_EQ(QImage::fromData(large).size(), size * 4);
    QProcess cli;
    cli.setWorkingDirectory(pathIn(QString()));
    cli.start(QStringLiteral(SCRIVLET_CLI), {QStringLiteral("map"), QStringLiteral("npc/057.npc"), QStringLiteral("-o"),
                                             QStringLiteral("cli.png"), QStringLiteral("--scale"), QStringLiteral("4")});
    ASSERT_TRUE(cli.waitForFinished(-1));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    EXPECT_EQ(fileBytes(pathIn(QStringLiteral("cli.png"))), large);
    // An SVG has no pixels to multiply.
    EXPECT_EQ(svgSize(savePicture(QStringLiteral("large.svg"))), size);
}

// scrivlet-cli draws the same picture as the window, byte for byte, though the editor's
// own words are set without shaping and so without pair kerning ("To", "AV").
TEST_F(MapWindowTest, TheCommandLineDrawsTheSamePicture)
{
    const QFont shaped = QGuiApplication::font();
    QFont unshaped = shaped;
    unshaped.setStyleStrategy(QFont::PreferNoShaping);
    QGuiApplication::setFont(unshaped);
    map = new View_Map(session(), prompts, *mainWindow); // made, as in the editor, under its font
    map->ShowMapExecute();
    const QByteArray window = fileBytes(savePicture(QStringLiteral("window.png")));
    QGuiApplication::setFont(shaped);
    QProcess cli;
    cli.setWorkingDirectory(pathIn(QString()));
    cli.start(QStringLiteral(SCRIVLET_CLI),
              {QStringLiteral("map"), QStringLiteral("npc/057.npc"), QStringLiteral("-o"), QStringLiteral("cli.png")});
    ASSERT_TRUE(cli.waitForFinished(-1));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    EXPECT_EQ(fileBytes(pathIn(QStringLiteral("cli.png"))), window);
}
