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

// How many unclear lines each list file holds, files with none left out.
struct UnclearListCount {
    QString path;
    qsizetype count;

    bool operator==(const UnclearListCount &) const = default;
};
// Those of every list as read, in reading order.
QList<UnclearListCount> unclearListCounts(const ReferenceLists &lists);

// The status bar's line: "Items.txt: 3 строки не поняты, см. Проверка скрипта", a part
// for each file; empty when there is none.
QString unclearListsSummary(const QList<UnclearListCount> &counts);
// "Items.txt, строка 12 «abc»: нет знака «=»".
QString unclearLineText(const UnclearListLine &line);
