#pragma once

#include "editor/ScriptGraph.h"

// A script's graph under the path that names it.
struct GraphOfScript {
    QString path;
    ScriptGraph graph;
};

// Graphviz text of the graphs: a cluster per script with its records, the records of
// characters outside them once each, shared by every script that leads there; a link
// that leads nowhere sound red and dashed, the check's message as its tool tip.
QString dotText(const QList<GraphOfScript> &scripts);
