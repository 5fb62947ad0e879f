#pragma once

#include "common/Windows1251.h"
#include "gui/records/EditorPanel.h"
#include "support/AppFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>

// The main window shown, with ways to type into and pick in the current record's fields
// as a user does.
class EditorPanelTest : public AppFixture
{
protected:
    void startShown()
    {
        start();
        main().show();
        QApplication::setActiveWindow(&main());
        QApplication::processEvents();
    }

    IntegerEdit *edit(NpcField field) { return main().editorPanel().edit(field); }
    QComboBox *combo(NpcField field) { return main().editorPanel().combo(field); }
    NpcRecord &record(int row) { return records().at(row); }
    int itemOf(ListId list, int number) { return session().lists().byId(list).indexOf(number); }

    // Makes the row current as a selection does, also when it already is.
    void showRecord(int row, const NpcRecord &value)
    {
        record(row) = value;
        if (session().CurRec() == row)
            main().StringGrid()->StringGridSelectCell(1, row);
        else
            main().selectGridRow(row);
    }
    static NpcRecord initialised()
    {
        NpcRecord r;
        r.initialise();
        return r;
    }

    static void typeInto(QWidget *widget, const QString &text)
    {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(widget, &press);
        }
    }
    // Replaces the edit's text by typing, as a user who selected it all would.
    void retype(NpcField field, const QString &text)
    {
        edit(field)->setFocus();
        edit(field)->selectAll();
        QKeyEvent erase(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
        QCoreApplication::sendEvent(edit(field), &erase);
        typeInto(edit(field), text);
    }
    void enter(NpcField field, const QString &text)
    {
        retype(field, text);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(edit(field), &press);
    }
    void typeAndLeave(NpcField field, const QString &text)
    {
        retype(field, text);
        main().StringGrid()->setFocus();
    }
    void pick(NpcField field, int item)
    {
        combo(field)->setCurrentIndex(item);
        emit combo(field)->activated(item);
    }

    QString label() { return main().Lbl_RecordNo()->text(); }
    bool labelRed()
    {
        return main().Lbl_RecordNo()->palette().color(QPalette::WindowText) == QColor(Qt::red);
    }
};
