#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

struct OptionSpec {
    QString name;        // "--format"
    QString shortName;   // "-o", or empty
    QStringList choices; // the values allowed; empty: any value
    bool takesValue = true;
    bool repeatable = false;
    bool required = false;
};

struct CommandSpec {
    QString name;
    QList<OptionSpec> options;
    int minPositional = 0;
    int maxPositional = 0; // -1: no limit
};

// A command's arguments once parsed. Options are looked up by their long name.
class ParsedArguments
{
public:
    QStringList positional;

    bool has(const QString &name) const { return m_values.contains(name); }
    QString value(const QString &name, const QString &fallback = {}) const;
    QStringList values(const QString &name) const { return m_values.value(name); }

    void add(const QString &name, const QString &value) { m_values[name] << value; }

private:
    QHash<QString, QStringList> m_values;
};

// Options anywhere among the arguments, as "--name value", "--name=value" or "-o value";
// "--" ends the options. On failure the message says what is wrong, in the user's words.
std::optional<ParsedArguments> parseArguments(const CommandSpec &spec, const QStringList &arguments,
                                              QString &error);
