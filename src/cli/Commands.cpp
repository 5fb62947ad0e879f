#include "cli/Commands.h"

OptionSpec formatOption(const QStringList &choices)
{
    return {QStringLiteral("--format"), {}, choices};
}

OptionSpec layoutOption(const QString &name, bool required)
{
    return {name, {}, {QStringLiteral("standard"), QStringLiteral("vesta")}, true, false, required};
}

OptionSpec flagOption(const QString &name)
{
    return {name, {}, {}, false};
}

OptionSpec outputOption(bool required)
{
    return {QStringLiteral("--output"), QStringLiteral("-o"), {}, true, false, required};
}
