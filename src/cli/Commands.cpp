#include "cli/Commands.h"

OptionSyntax formatOption(const QStringList &choices)
{
    return {QStringLiteral("--format"), {}, choices};
}

OptionSyntax layoutOption(const QString &name, bool required)
{
    return {name, {}, {QStringLiteral("standard"), QStringLiteral("vesta")}, true, false, required};
}

OptionSyntax flagOption(const QString &name)
{
    return {name, {}, {}, false};
}

OptionSyntax outputOption(bool required)
{
    return {QStringLiteral("--output"), QStringLiteral("-o"), {}, true, false, required};
}
