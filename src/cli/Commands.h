#pragma once

#include "cli/CliArguments.h"
#include "cli/CliContext.h"
#include "editor/FieldText.h"

#include <QList>

struct Command {
    CommandSyntax syntax;
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

OptionSyntax formatOption(const QStringList &choices);
OptionSyntax layoutOption(const QString &name, bool required);
OptionSyntax flagOption(const QString &name);
OptionSyntax outputOption(bool required);
