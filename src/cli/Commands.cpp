#include "cli/Commands.h"

#include "common/Windows1251.h"
#include "editor/FieldText.h"

QString valueWithName(NpcField field, quint16 value, const ReferenceLists &lists)
{
    const QString text = fieldValueText(field, value);
    const QByteArray name = fieldValueName(field, value, lists);
    if (name.isEmpty())
        return text;
    return text + QStringLiteral(" (") + fromWindows1251(name) + QLatin1Char(')');
}

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
