// The editor as it starts for a user, ended as soon as its event loop is idle. With
// SCRIVLET_PROBE_POPUP=Combo_Name the popup of that list box is opened (and waited for)
// first, so that its cost counts too. Each start-up step's end is stamped on the way.
#include "app/EditorMain.h"
#include "app/Startup.h"
#include "app/TForm1.h"
#include "common/StartupSteps.h"
#include "startup/IdleStamp.h"

#include <QApplication>
#include <QComboBox>
#include <QTimer>

int main(int argc, char *argv[])
{
    printStepStamp("libraries");
    StartupSteps::listen(printStepStamp);
    FirstPaintStamp paint;
    return editorMain(argc, argv, [&paint](ScrivletWindows &windows) {
        qApp->installEventFilter(&paint);
        const QByteArray popup = qgetenv("SCRIVLET_PROBE_POPUP");
        QTimer::singleShot(0, [&windows, popup] {
            if (!popup.isEmpty()) {
                if (auto *box = windows.main->findChild<QComboBox *>(QString::fromLatin1(popup)))
                    box->showPopup();
            }
            QTimer::singleShot(0, qApp, [] {
                printStepStamp("paint");
                printIdleStamp();
                QApplication::quit();
            });
        });
    });
}
