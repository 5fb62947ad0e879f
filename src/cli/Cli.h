#pragma once

#include <QStringList>

class QIODevice;

// The command line program: the arguments after its name; what it prints goes to out and
// err as UTF-8 (edt2txt without -o writes the export's own bytes). Returns the exit code.
int runCli(const QStringList &arguments, QIODevice &out, QIODevice &err);
