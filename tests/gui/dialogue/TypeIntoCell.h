#pragma once

#include "gui/dialogue/PhraseEditDelegate.h"

#include <QApplication>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

// Opens the cell's editor as a double-click would, types the text and confirms with Enter.
inline void typeIntoCell(QTableView *table, int row, int column, const QString &text)
{
    const QModelIndex index = table->model()->index(row, column);
    table->setCurrentIndex(index);
    table->edit(index);
    auto *editor = qobject_cast<PhraseLineEdit *>(table->indexWidget(index));
    ASSERT_NE(editor, nullptr);
    editor->setText(text);
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
}
