// TForm3: the dialogue text viewer.
#include "gui/dialogue/TForm3.h"

#include "dialogue/EdtExport.h"
#include "dialogue/PhraseSelection.h"
#include "session/ScriptSession.h"

#include <QDir>
#include <QEvent>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>

TForm3::TForm3(const ScriptSession &session, QWidget &mainWindow) : ToolWindow(mainWindow), m_session(session)
{
    setObjectName(QStringLiteral("TForm3"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("Memo"));
    m_memo->setReadOnly(true);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(m_memo, 1);

    auto *status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar"));
    status->setSizeGripEnabled(false);
    layout->addWidget(status);

    resize(450, 600);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(450 / 2, 600 / 2));
}

bool TForm3::event(QEvent *event)
{
    // Show as well as activation: not every window manager activates a shown window.
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show)
        FormActivate();
    return ToolWindow::event(event);
}

void TForm3::FormActivate()
{
    setWindowTitle(QStringLiteral("EDT-файл - ") + QDir::toNativeSeparators(m_session.dialogue().path()));
    QByteArray text = Edt2Txt(m_session.dialogue().text());
    // Refilling an unchanged text would only lose the reader's place.
    if (text == m_shown)
        return;
    m_memo->setPlainText(edtDisplayText(text));
    m_shown = std::move(text);
}
