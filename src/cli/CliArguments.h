#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

struct OptionSyntax {
    QString name;        // "--format"
    QString shortName;   // "-o", or empty
    QStringList choices; // the values allowed; empty: any value
    bool takesValue = true;
    bool repeatable = false;
    bool required = false;
};

struct CommandSyntax {
    QString name;
    QList<OptionSyntax> options;
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

// Reads a command's arguments: options anywhere among them, as "--name value",
// "--name=value" or "-o value"; "--" ends the options. On failure errorString() says what
// is wrong, in the user's words.
class ArgumentReader
{
public:
    explicit ArgumentReader(const CommandSyntax &command) : m_command(command) {}
    bool read(const QStringList &arguments);
    ParsedArguments takeArguments() { return std::move(m_arguments); }
    QString errorString() const { return m_error; }

private:
    const CommandSyntax &m_command;
    ParsedArguments m_arguments;
    QString m_error;
};
