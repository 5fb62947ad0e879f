#include "cli/Commands.h"
#include "common/RegularFile.h"
#include "common/Windows1251.h"
#include "dialogue/EdtMerge.h"
#include "dialogue/EdtReader.h"
#include "document/NpcMerge.h"
#include "editor/NpcJson.h"

namespace
{

enum class MergeType { Npc, Edt };

std::optional<MergeType> typeOfName(const QString &name)
{
    if (name.endsWith(QLatin1String(".npc"), Qt::CaseInsensitive))
        return MergeType::Npc;
    if (name.endsWith(QLatin1String(".edt"), Qt::CaseInsensitive))
        return MergeType::Edt;
    return std::nullopt;
}

// What the bytes are when no name tells: a script's first bytes are the narrower test.
std::optional<MergeType> typeOfBytes(const QByteArray &bytes)
{
    if (NpcReader::detectLayout(bytes.size(), bytes.first(std::min<qsizetype>(4, bytes.size()))))
        return MergeType::Npc;
    if (bytes.size() % EdtReader::RecordSize == 0)
        return MergeType::Edt;
    return std::nullopt;
}

// Git hands the driver temporary files without the extension: the name git merges (%P)
// decides, else the names given, else the inputs, which must all be of one kind.
std::optional<MergeType> typeOf(CliContext &context, const QStringList &paths,
                                const QList<QByteArray> &bytes)
{
    const QString forced = context.args.value(QStringLiteral("--type"));
    if (!forced.isEmpty())
        return forced == QLatin1String("edt") ? MergeType::Edt : MergeType::Npc;
    if (const auto named = typeOfName(context.args.value(QStringLiteral("--name"))))
        return named;
    for (const QString &path : paths) {
        if (const auto named = typeOfName(path))
            return named;
    }
    std::optional<MergeType> type;
    for (int i = 0; i < 3; ++i) {
        if (i == 0 && bytes[0].isEmpty())
            continue; // made on both sides
        const auto own = typeOfBytes(bytes[i]);
        if (!own) {
            context.inputFailed(paths[i], QStringLiteral("ни скрипт, ни файл диалогов"));
        } else if (type && own != type) {
            context.inputFailed(paths[i], QStringLiteral("файл другого вида, чем %1: укажите --name ИМЯ "
                                                         "или --type")
                                              .arg(paths[i - 1]));
            return std::nullopt;
        }
        type = own;
    }
    if (context.anyInputFailed())
        return std::nullopt;
    return type;
}

int mergeScripts(CliContext &context, const QStringList &paths, const QList<QByteArray> &bytes,
                 bool &conflicts)
{
    std::optional<NpcMergeSide> sides[3];
    for (int i = 0; i < 3; ++i) {
        if (i == 0 && bytes[0].isEmpty())
            continue; // made on both sides: no common ancestor
        NpcReader reader;
        if (reader.readBytes(bytes[i]))
            sides[i] = NpcMergeSide::of(reader, bytes[i]);
        else
            context.inputFailed(paths[i], reader.reason());
    }
    if (context.anyInputFailed())
        return ExitFailure;
    const NpcMergeResult result = mergeNpc(sides[0], *sides[1], *sides[2]);
    const QString output = context.args.value(QStringLiteral("--output"), paths[1]);
    if (!context.writeFile(output, result.bytes))
        return ExitFailure;
    if (result.tailConflict)
        context.err.line(QStringLiteral("tail: base %1 B, ours %2 B, theirs %3 B")
                             .arg(sides[0] ? sides[0]->bytes.size() - NpcReader::FileSize : 0)
                             .arg(sides[1]->bytes.size() - NpcReader::FileSize)
                             .arg(sides[2]->bytes.size() - NpcReader::FileSize));
    if (result.layoutConflict)
        context.err.line(QStringLiteral("layout: base %1, ours %2, theirs %3")
                             .arg(layoutName(sides[0] ? sides[0]->layout : sides[1]->layout),
                                  layoutName(sides[1]->layout), layoutName(sides[2]->layout)));
    for (const NpcFieldConflict &conflict : result.conflicts)
        context.err.line(
            QStringLiteral("%1 %2: base %3, ours %4, theirs %5")
                .arg(QString::number(conflict.record), NpcRecord::fieldName(conflict.field),
                     sides[0] ? fieldValueText(conflict.field, conflict.base) : QStringLiteral("нет"),
                     fieldValueText(conflict.field, conflict.ours),
                     fieldValueText(conflict.field, conflict.theirs)));
    conflicts = !result.isClean();
    return ExitOk;
}

QString phraseText(const Lines &lines, qsizetype index)
{
    if (index >= lines.size())
        return QStringLiteral("нет");
    return jsonString(fromWindows1251(EdtReader::decodeRecord(lines.at(index).constData())));
}

int mergeDialogues(CliContext &context, const QStringList &paths, const QList<QByteArray> &bytes,
                   bool &conflicts)
{
    const EdtMergeResult result = mergeEdt(bytes[0], bytes[1], bytes[2]);
    const QString output = context.args.value(QStringLiteral("--output"), paths[1]);
    if (!context.writeFile(output, result.bytes))
        return ExitFailure;
    for (const LineConflict &conflict : result.conflicts) {
        const qsizetype lines =
            std::max({conflict.base.size(), conflict.ours.size(), conflict.theirs.size()});
        for (qsizetype i = 0; i < lines; ++i)
            context.err.line(QStringLiteral("%1: base %2, ours %3, theirs %4")
                                 .arg(QString::number(conflict.resultStart + i), phraseText(conflict.base, i),
                                      phraseText(conflict.ours, i), phraseText(conflict.theirs, i)));
    }
    conflicts = !result.conflicts.isEmpty();
    return ExitOk;
}

int run(CliContext &context)
{
    const QStringList paths = context.args.positional;
    QList<QByteArray> bytes(3);
    for (int i = 0; i < 3; ++i) {
        QString reason;
        if (!RegularFile::readAll(paths[i], EdtReader::MaxFileSize, bytes[i], reason))
            context.inputFailed(paths[i], reason);
    }
    if (context.anyInputFailed())
        return ExitFailure;
    const auto type = typeOf(context, paths, bytes);
    if (!type)
        return ExitFailure;
    bool conflicts = false;
    const int code = *type == MergeType::Npc
                         ? mergeScripts(context, paths, bytes, conflicts)
                         : mergeDialogues(context, paths, bytes, conflicts);
    return code == ExitOk ? context.exitCode(conflicts) : code;
}

} // namespace

Command mergeCommand()
{
    return {
        {QStringLiteral("merge"),
         {outputOption(false), {QStringLiteral("--name"), {}, {}},
          {QStringLiteral("--type"), {}, {QStringLiteral("npc"), QStringLiteral("edt")}}},
         3,
         3},
        QStringLiteral("слияние двух правок скрипта или файла диалогов (для git)"),
        QStringLiteral("scrivlet-cli merge [--name ИМЯ] [--type npc|edt] [-o ВЫХОД] [--] ОБЩИЙ НАШ ИХ\n"
                       "\n"
                       "Сливает две правки одного файла, сделанные из ОБЩЕГО предка, и пишет итог в\n"
                       "ВЫХОД, без -o на место НАШЕГО (так ждёт драйвер слияния git).\n"
                       "Скрипты сливаются по полям, записи сопоставляются по месту: поле, изменённое\n"
                       "одной стороной, берётся у неё; изменённое обеими по-разному - конфликт, в\n"
                       "итоге остаётся НАШЕ значение. Формат НАШЕГО сохраняется, если формат не\n"
                       "сменили только ИХ.\n"
                       "Файлы диалогов сливаются по фразам, как текст по строкам: вставки и удаления\n"
                       "одной стороны переносятся, конфликт оставляет НАШИ фразы.\n"
                       "Данные после записей скрипта сливаются одним куском.\n"
                       "Вид файла берётся из --type, иначе из расширения ИМЕНИ (git передаёт его как\n"
                       "%P) или самих файлов, иначе из содержимого всех трёх: вход, который не читается\n"
                       "ни как скрипт, ни как файл диалогов, или входы разного вида - код 2, без слияния.\n"
                       "Конфликты идут в stderr, строка на каждый: ЗАПИСЬ ПОЛЕ: base Б, ours Н, theirs И\n"
                       "(для диалогов ФРАЗА: base \"...\", ours \"...\", theirs \"...\"). Код 1, если\n"
                       "были конфликты (итог всё равно записан)."),
        run,
    };
}
