#pragma once

#include "BenchEditor.h"
#include "gui/dialogue/PhrasesWindow.h"

#include <QApplication>
#include <QTableView>

// The editor with a script open and its phrases window shown.
struct PhrasesEditor : BenchEditor {
    void showHuge(const QString &path)
    {
        session().openScript(path, {});
        phrases().showInFront();
        drawn();
    }
    PhrasesWindow &phrases() { return *windows->phrases.get(); }
    // Until the table shows what changed.
    void drawn()
    {
        QApplication::processEvents();
        phrases().Table_Phrases()->viewport()->repaint();
    }
};
