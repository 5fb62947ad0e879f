#include "cli/CliOutput.h"

#include <QFile>
#include <QStringList>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace
{

bool isControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

QString controlsShown(const QString &text, bool keepLayout)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (isControl(u) && !(keepLayout && (u == u'\n' || u == u'\t')))
            shown += QStringLiteral("\\x") + QString::number(u, 16).rightJustified(2, u'0').toUpper();
        else
            shown += c;
    }
    return shown;
}

} // namespace

void Console::line(const QString &text)
{
    m_device.write(controlsShown(text, true).toUtf8() + '\n');
}

QString shownPath(const QString &path)
{
    return controlsShown(path, false);
}

void Console::bytes(const QByteArray &bytes)
{
    m_device.write(bytes);
}

QByteArray controlBytesShown(const QByteArray &line)
{
    QByteArray shown;
    for (const char c : line) {
        const auto byte = static_cast<uchar>(c);
        if ((byte < 0x20 && byte != '\t') || byte == 0x7F)
            shown += "\\x" + QByteArray::number(byte, 16).rightJustified(2, '0').toUpper();
        else
            shown += c;
    }
    return shown;
}

bool Console::isTerminal() const
{
    const auto *file = qobject_cast<const QFile *>(&m_device);
#ifdef Q_OS_WIN
    return file && file->handle() >= 0 && _isatty(file->handle());
#else
    return file && file->handle() >= 0 && isatty(file->handle());
#endif
}

QString jsonString(const QString &text)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"':
            quoted += QStringLiteral("\\\"");
            break;
        case '\\':
            quoted += QStringLiteral("\\\\");
            break;
        case '\n':
            quoted += QStringLiteral("\\n");
            break;
        case '\r':
            quoted += QStringLiteral("\\r");
            break;
        case '\t':
            quoted += QStringLiteral("\\t");
            break;
        default:
            if (c.unicode() < 0x20)
                quoted += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                quoted += c;
        }
    }
    return quoted + QLatin1Char('"');
}

QString jsonNumberOrNull(std::optional<qint64> value)
{
    return value ? QString::number(*value) : QStringLiteral("null");
}

QString jsonArray(const QStringList &items)
{
    if (items.isEmpty())
        return QStringLiteral("[]");
    return QStringLiteral("[\n  ") + items.join(QStringLiteral(",\n  ")) + QStringLiteral("\n]");
}
