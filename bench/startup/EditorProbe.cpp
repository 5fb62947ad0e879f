// The editor as it starts for a user, ended as soon as its event loop is idle. With
// SCRIVLET_PROBE_POPUP=Combo_Name the popup of that list box is opened (and waited for)
// first, once the lists are read, so that the cost of both counts too. Each start-up
// step's end is stamped on the way.
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
        const auto openPopupThenEnd = [&windows, popup] {
            if (!popup.isEmpty()) {
                if (auto *box = windows.main->findChild<QComboBox *>(QString::fromLatin1(popup)))
                    box->showPopup();
            }
            QTimer::singleShot(0, qApp, [] {
                printStepStamp("paint");
                printIdleStamp();
                QApplication::quit();
            });
        };
        QTimer::singleShot(0, [&windows, popup, openPopupThenEnd] {
            if (popup.isEmpty() || windows.session->listsRead())
                openPopupThenEnd();
            else
                QObject::connect(windows.session.get(), &ScriptSession::listsChanged, qApp, openPopupThenEnd,
                                 Qt::SingleShotConnection);
        });
    });
}
