#include "gui/widgets/DialogPlacement.h"

#include <QWidget>

void placeOverMainWindow(QWidget *dialog, const QWidget *mainWindow)
{
    const QRect main = mainWindow->frameGeometry();
    const QRect own = dialog->frameGeometry();
    dialog->move(main.left() + (main.width() - own.width()) / 2,
                 main.top() + (main.height() - own.height()) / 2 - 100);
}
