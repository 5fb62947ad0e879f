#pragma once

#include "macros/MacroFile.h"
#include "gui/macros/MacroCommands.h"
#include "gui/macros/TForm5.h"
#include "gui/macros/TForm6.h"
#include "support/AppFixture.h"

#include <QCoreApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QToolButton>

#include <functional>

// Guard of the documented example, then records for the other tests.
inline const QByteArray GuardValues =
    "1,0,65535,65535,255,255,255,4,0,2,1,255,255,255,255,0,65535,0,65535,0,0,0";

class MacroUiFixture : public AppFixture
{
protected:
    void startWithMacros(const QByteArray &file)
    {
        writeFile(QStringLiteral("Data/macros.mcr"), file);
        start();
        prompts().clear();
    }

    // The menu as the user sees it on opening it.
    QMenu *macroMenu()
    {
        QMenu *menu = main().Btn_Macr()->menu();
        emit menu->aboutToShow();
        return menu;
    }
    QStringList macroCaptions()
    {
        QStringList captions;
        const QList<QAction *> items = macroMenu()->actions();
        for (qsizetype i = 2; i < items.size(); ++i)
            captions << items.at(i)->text();
        return captions;
    }
    // The item of a macro, in the menu or, for big stores, in the page that holds it.
    QAction *macroItem(int position)
    {
        for (QAction *item : macroMenu()->actions()) {
            if (QMenu *page = item->menu()) {
                emit page->aboutToShow();
                for (QAction *inPage : page->actions()) {
                    if (inPage->data() == position)
                        return inPage;
                }
            } else if (!item->isSeparator() && item->data() == position) {
                return item;
            }
        }
        return nullptr;
    }
    void clickMacro(int position)
    {
        QAction *item = macroItem(position);
        ASSERT_NE(item, nullptr) << position;
        item->trigger();
    }
    const MacroStore &store() { return main().macroCommands().store(); }
    QByteArray macroFile() { return readFile(QStringLiteral("Data/macros.mcr")); }

    TForm5 *saveDialog() { return m_windows->saveMacro.get(); }
    TForm6 *manager() { return m_windows->macroManager.get(); }
    template <typename T> T *in(QWidget *dialog, const char *name)
    {
        return dialog->findChild<T *>(QLatin1String(name));
    }

    // Triggers the command and runs body while its modal dialog is open. A dialog that
    // body leaves open is closed by its close box, or put away if it refuses.
    void whileOpen(const char *command, QDialog *dialog, const std::function<void()> &body)
    {
        bool ran = false;
        QTimer::singleShot(0, dialog, [&] {
            ran = true;
            EXPECT_TRUE(dialog->isVisible());
            body();
            if (dialog->isVisible())
                dialog->close();
            if (dialog->isVisible())
                dialog->done(QDialog::Rejected);
        });
        trigger(command);
        EXPECT_TRUE(ran) << command;
        EXPECT_FALSE(dialog->isVisible());
    }

    static void typeInto(QWidget *widget, const QString &text)
    {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(widget, &press);
        }
    }
    static void pressEnter(QWidget *widget)
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &press);
    }
};
