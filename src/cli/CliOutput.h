#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class QIODevice;

// Lines of text for the terminal, as UTF-8; a control character other than the line break
// and the tab is shown as \xNN, whatever text it came in.
class Console
{
public:
    explicit Console(QIODevice &device) : m_device(device) {}

    void line(const QString &text);
    void bytes(const QByteArray &bytes);
    // Whether the text goes to a terminal, where control bytes would act instead of show.
    bool isTerminal() const;

private:
    QIODevice &m_device;
};

// A line of dialogue text as a terminal can show it: control bytes but the tab as \xNN.
QByteArray controlBytesShown(const QByteArray &line);
// A file name as printed: every control character as \xNN, so that no name can act on
// the terminal or begin a line of its own.
QString shownPath(const QString &path);

// A JSON string literal, quotes included.
QString jsonString(const QString &text);
QString jsonNumberOrNull(std::optional<qint64> value);
// "[a, b, c]" of items already in JSON, one per line when there are any.
QString jsonArray(const QStringList &items);
