// The floor to measure the editor's start-up against: a Qt main window with a 50-row
// table, shown and ended at the first idle moment of its event loop, its steps stamped
// as the editor's are. With --russian its rows hold Russian words, which any window in
// the editor's language pays for (a Cyrillic font fallback list, longer shaping).
#include "startup/IdleStamp.h"

#include <QApplication>
#include <QMainWindow>
#include <QTableWidget>
#include <QTimer>

int main(int argc, char *argv[])
{
    printStepStamp("libraries");
    QApplication app(argc, argv);
    printStepStamp("toolkit");
    QMainWindow window;
    const bool russian = app.arguments().contains(QStringLiteral("--russian"));
    auto *table = new QTableWidget(50, 4, &window);
    for (int row = 0; row < 50; ++row) {
        const QString number = QString::number(row);
        table->setItem(row, 0, new QTableWidgetItem(russian ? QStringLiteral("Разговор ") + number : number));
    }
    window.setCentralWidget(table);
    // The editor's first size: the same pixels to hold and paint.
    window.resize(895, 695);
    printStepStamp("main window");
    window.show();
    printStepStamp("show");
    FirstPaintStamp paint;
    app.installEventFilter(&paint);
    QTimer::singleShot(0, [] {
        QTimer::singleShot(0, qApp, [] {
            printStepStamp("paint");
            printIdleStamp();
            QApplication::quit();
        });
    });
    return QApplication::exec();
}
