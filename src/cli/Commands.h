#pragma once

#include "cli/CliArguments.h"
#include "cli/CliContext.h"
#include "editor/FieldText.h"

#include <QList>

struct Command {
    CommandSpec spec;
    QString summary; // one line for the general help
    QString help;    // the command's own help
    int (*run)(CliContext &);
};

Command dumpCommand();
Command buildCommand();
Command convertCommand();
Command checkCommand();
Command diffCommand();
Command xrefCommand();
Command findCommand();
Command edt2txtCommand();
Command txt2edtCommand();
Command renumberCommand();
Command mergeCommand();
Command mapCommand();
Command recoverCommand();
Command poCommand();
Command replaceCommand();

OptionSpec formatOption(const QStringList &choices);
OptionSpec layoutOption(const QString &name, bool required);
OptionSpec flagOption(const QString &name);
OptionSpec outputOption(bool required);
