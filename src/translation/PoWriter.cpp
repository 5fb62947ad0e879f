#include "translation/PoWriter.h"

#include "common/SaveFile.h"
#include "common/Windows1251.h"
#include "translation/PoString.h"

QByteArray PoWriter::encodeEntry(const PoEntry &entry, PoCatalogue::Charset charset)
{
    auto bytes = [charset](const QString &text) {
        return charset == PoCatalogue::Charset::Windows1251 ? toWindows1251(text) : text.toUtf8();
    };
    QByteArray out;
    QList<QByteArray> previous;
    for (const QByteArray &comment : entry.comments) {
        if (comment.startsWith("#|"))
            previous << comment;
        else
            out += comment + '\n';
    }
    if (!entry.flags.isEmpty())
        out += "#, " + entry.flags.join(QStringLiteral(", ")).toLatin1() + '\n';
    for (const QByteArray &comment : std::as_const(previous))
        out += comment + '\n';
    if (entry.commentsOnly)
        return out;
    if (entry.hasContext)
        out += PoString::field("msgctxt", bytes(entry.context));
    out += PoString::field("msgid", bytes(entry.id));
    if (entry.plural) {
        out += PoString::field("msgid_plural", bytes(entry.idPlural));
        for (qsizetype k = 0; k < std::max<qsizetype>(entry.strings.size(), 1); ++k)
            out += PoString::field("msgstr[" + QByteArray::number(k) + ']', bytes(entry.strings.value(k)));
    } else {
        out += PoString::field("msgstr", bytes(entry.translation()));
    }
    return out;
}

QByteArray PoWriter::encode(const PoCatalogue &catalogue)
{
    QByteArray out = catalogue.prefix;
    for (const PoEntry &entry : catalogue.entries) {
        if (!entry.read.isEmpty()) {
            out += entry.before + entry.read;
            continue;
        }
        if (entry.line == 0 && !out.isEmpty() && out != catalogue.prefix) {
            // A new entry: a blank line apart from the one before, as gettext has it.
            if (!out.endsWith('\n'))
                out += '\n';
            if (!out.endsWith("\n\n"))
                out += '\n';
        } else {
            out += entry.before;
        }
        out += encodeEntry(entry, catalogue.charset);
    }
    return out + catalogue.trailer;
}

bool PoWriter::write(const PoCatalogue &catalogue, const QString &path)
{
    return saveFile(path, encode(catalogue), m_error);
}
