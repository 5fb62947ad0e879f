#pragma once

#include "editor/ReferenceLists.h"

#include <QByteArray>
#include <QList>
#include <QString>

// A line that the reading takes as an entry although it names no number a field can
// hold, or a name the game would show garbled.
struct UnclearListLine {
    QString path;   // the list file
    qsizetype line; // from 1
    QByteArray text;
    QString reason;

    bool operator==(const UnclearListLine &) const = default;
};

// The unclear lines of one list file's bytes; fieldRange is the largest number the
// fields named by the list can hold.
QList<UnclearListLine> unclearListLines(const QString &path, QByteArrayView bytes, qint64 fieldRange);
// Those of every list as read, in reading order.
QList<UnclearListLine> unclearListLines(const ReferenceLists &lists);

// A list file's bytes as read, apart from the list: its lines can be counted on another
// thread while the lists serve (and are replaced).
struct ListFileText {
    QString path;
    QByteArray bytes;
    qint64 fieldRange;
};
// Those of every list, in reading order.
QList<ListFileText> listFileTexts(const ReferenceLists &lists);

// How many unclear lines each list file holds, files with none left out.
struct UnclearListCount {
    QString path;
    qsizetype count;

    bool operator==(const UnclearListCount &) const = default;
};
QList<UnclearListCount> unclearListCounts(const QList<ListFileText> &files);

// The status bar's line: "Items.txt: 3 строки не поняты, см. Проверка скрипта", a part
// for each file; empty when there is none.
QString unclearListsSummary(const QList<UnclearListCount> &counts);
// "Items.txt, строка 12 «abc»: нет знака «=»".
QString unclearLineText(const UnclearListLine &line);
