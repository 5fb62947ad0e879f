#include "cli/CliArguments.h"

namespace
{

const OptionSyntax *findOption(const CommandSyntax &syntax, const QString &name)
{
    for (const OptionSyntax &option : syntax.options) {
        if (option.name == name || (!option.shortName.isEmpty() && option.shortName == name))
            return &option;
    }
    return nullptr;
}

QString countError(const CommandSyntax &syntax, qsizetype count)
{
    if (count < syntax.minPositional)
        return QStringLiteral("не хватает аргументов");
    return QStringLiteral("лишний аргумент");
}

} // namespace

QString ParsedArguments::value(const QString &name, const QString &fallback) const
{
    const QStringList list = m_values.value(name);
    return list.isEmpty() ? fallback : list.constLast();
}

bool ArgumentReader::read(const QStringList &arguments)
{
    m_error.clear();
    ParsedArguments parsed;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        const bool looksLikeOption =
            argument.startsWith(QLatin1Char('-')) && argument.size() > 1 && !(argument.at(1).isDigit());
        if (optionsEnded || !looksLikeOption) {
            parsed.positional << argument;
            continue;
        }
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        const qsizetype eq =
            argument.startsWith(QLatin1String("--")) ? argument.indexOf(QLatin1Char('=')) : -1;
        const QString name = eq < 0 ? argument : argument.left(eq);
        const OptionSyntax *option = findOption(m_command, name);
        if (!option) {
            m_error = QStringLiteral("неизвестный параметр %1").arg(name);
            return false;
        }
        QString value;
        if (option->takesValue) {
            if (eq >= 0) {
                value = argument.mid(eq + 1);
            } else if (i + 1 < arguments.size()) {
                value = arguments.at(++i);
            } else {
                m_error = QStringLiteral("у параметра %1 нет значения").arg(name);
                return false;
            }
            if (!option->choices.isEmpty() && !option->choices.contains(value)) {
                m_error = QStringLiteral("%1: недопустимое значение «%2» (возможны: %3)")
                              .arg(option->name, value, option->choices.join(QStringLiteral(", ")));
                return false;
            }
        } else if (eq >= 0) {
            m_error = QStringLiteral("параметр %1 не принимает значения").arg(option->name);
            return false;
        }
        if (parsed.has(option->name) && !option->repeatable) {
            m_error = QStringLiteral("параметр %1 указан дважды").arg(option->name);
            return false;
        }
        parsed.add(option->name, value);
    }
    for (const OptionSyntax &option : m_command.options) {
        if (option.required && !parsed.has(option.name)) {
            m_error = QStringLiteral("не указан параметр %1").arg(option.name);
            return false;
        }
    }
    const qsizetype count = parsed.positional.size();
    if (count < m_command.minPositional || (m_command.maxPositional >= 0 && count > m_command.maxPositional)) {
        m_error = countError(m_command, count);
        return false;
    }
    m_arguments = std::move(parsed);
    return true;
}
