#include "cli/Commands.h"
#include "cli/DialogueFiles.h"
#include "common/FileSetWriter.h"
#include "common/Windows1251.h"
#include "dialogue/EdtReader.h"
#include "dialogue/EdtWriter.h"
#include "document/NpcName.h"
#include "translation/DialogueTemplate.h"
#include "translation/DialogueTranslation.h"
#include "translation/PoReader.h"
#include "translation/PoWriter.h"

#include <QDir>
#include <QFileInfo>

namespace
{

std::optional<EdtText> readDialogue(CliContext &context, const QString &path)
{
    EdtReader reader;
    if (reader.read(path))
        return reader.takeText();
    context.inputFailed(path, reader.errorString());
    return std::nullopt;
}

int runExport(CliContext &context, const QStringList &paths)
{
    const QList<DialogueFile> files = dialogueFiles(context, paths);
    QList<DialogueSource> sources;
    QList<std::shared_ptr<NpcRecords>> scripts; // the records the sources point at
    for (const DialogueFile &file : files) {
        std::optional<EdtText> text = readDialogue(context, file.path);
        if (!text)
            continue;
        DialogueSource source{file.name, std::move(*text), nullptr, {}};
        if (!file.script.isEmpty()) {
            if (std::optional<NpcReader> script = context.readScript(file.script)) {
                scripts << std::make_shared<NpcRecords>(script->records());
                source.records = scripts.last().get();
            }
            const NpcName name = parseNpcName(file.script);
            if (name.numeric)
                source.speaker = fromWindows1251(context.lists().Npc.nameOf(name.number));
        }
        sources << std::move(source);
    }
    if (context.anyInputFailed())
        return context.exitCode(false);
    const DialogueTemplate made =
        dialogueTemplate(sources, QLatin1String(CliContext::Program) + QStringLiteral(" " SCRIVLET_VERSION));
    if (made.leftOut > 0)
        context.warn(QStringLiteral("строк с нулевым байтом, которые не записать в PO: %1; они не вошли")
                         .arg(made.leftOut));
    const QByteArray bytes = PoWriter::encode(made.catalogue);
    if (context.args.has(QStringLiteral("--output")))
        context.writeFile(context.args.value(QStringLiteral("--output")), bytes);
    else
        context.out.bytes(bytes);
    return context.exitCode(false);
}

// Every entry names a dialogue file of the folders given; false once those that do not
// were listed.
bool contextsNameFiles(CliContext &context, const QString &poPath, const PoCatalogue &catalogue,
                       const QStringList &paths)
{
    const DialogueNames names(paths);
    bool ok = true;
    for (const PoEntry &entry : catalogue.entries) {
        if (entry.commentsOnly || entry.isHeader() || (entry.hasContext && names.contains(entry.context)))
            continue;
        ok = false;
        context.err.line(QStringLiteral("%1:%2: ").arg(poPath).arg(entry.line) +
                         (entry.hasContext ? QStringLiteral("msgctxt «%1» не называет ни одного файла диалогов")
                                                 .arg(entry.context)
                                           : QStringLiteral("у записи нет msgctxt с именем файла диалогов")));
    }
    return ok;
}

int runImport(CliContext &context, const QStringList &arguments)
{
    const bool inPlace = context.args.has(QStringLiteral("--in-place"));
    const QString outDir = context.args.value(QStringLiteral("--output"));
    if (arguments.size() < 2 || inPlace == !outDir.isEmpty()) {
        context.usageFailed(arguments.size() < 2 ? QStringLiteral("нужны файл перевода и файлы диалогов")
                                                 : QStringLiteral("нужен один из -o ПАПКА и --in-place"));
        return ExitFailure;
    }
    const QString poPath = arguments.at(0);
    const QStringList paths = arguments.mid(1);
    PoReader reader;
    if (!reader.read(poPath)) {
        context.inputFailed(poPath, reader.errorString());
        return context.exitCode(false);
    }
    const PoCatalogue &catalogue = reader.catalogue();
    const QList<DialogueFile> files = dialogueFiles(context, paths);
    if (context.anyInputFailed())
        return context.exitCode(false);
    if (!contextsNameFiles(context, poPath, catalogue, paths)) {
        context.err.line(QStringLiteral("%1: ничего не записано").arg(QLatin1String(CliContext::Program)));
        return ExitNegative;
    }
    const QString outFolder = QDir::cleanPath(QFileInfo(outDir).absoluteFilePath());
    FileSetWriter writer;
    QStringList counts;
    bool refused = false;
    for (const DialogueFile &file : files) {
        if (!inPlace && QFileInfo(file.path).absolutePath() == outFolder) {
            context.usageFailed(QStringLiteral("-o %1: там лежат сами файлы диалогов; чтобы заменить их, "
                                               "есть --in-place")
                                    .arg(outDir));
            return ExitFailure;
        }
        std::optional<EdtText> text = readDialogue(context, file.path);
        if (!text)
            return context.exitCode(false);
        const TranslatedText translated = translateText(catalogue, file.name, *text);
        for (const TranslationRefusal &refusal : translated.refusals)
            context.err.line(QStringLiteral("%1:%2: %3: %4").arg(poPath).arg(refusal.poLine).arg(file.name, refusal.reason));
        refused = refused || !translated.refusals.isEmpty();
        counts << file.name + QStringLiteral(": ") + translated.counts.text();
        writer.write(inPlace ? file.path : QDir(outDir).filePath(file.name), EdtWriter::encode(translated.text));
    }
    if (refused) {
        context.err.line(QStringLiteral("%1: перевод не помещается в строки; ничего не записано")
                             .arg(QLatin1String(CliContext::Program)));
        return ExitNegative;
    }
    if (!inPlace && !QDir().mkpath(outDir)) {
        context.inputFailed(outDir, QStringLiteral("не удалось создать папку"));
        return context.exitCode(false);
    }
    if (!context.writeFiles(writer))
        return context.exitCode(false);
    for (const QString &line : std::as_const(counts))
        context.out.line(line);
    return context.exitCode(false);
}

int run(CliContext &context)
{
    const QString action = context.args.positional.at(0);
    const QStringList rest = context.args.positional.mid(1);
    if (action == QLatin1String("export")) {
        if (context.args.has(QStringLiteral("--in-place"))) {
            context.usageFailed(QStringLiteral("--in-place только для po import"));
            return ExitFailure;
        }
        return runExport(context, rest);
    }
    if (action == QLatin1String("import"))
        return runImport(context, rest);
    context.usageFailed(QStringLiteral("нет действия %1: есть export и import").arg(action));
    return ExitFailure;
}

} // namespace

Command poCommand()
{
    return {
        {QStringLiteral("po"), {outputOption(false), flagOption(QStringLiteral("--in-place"))}, 2, -1},
        QStringLiteral("перевод диалогов через файлы gettext (PO)"),
        QStringLiteral(
            "scrivlet-cli po export ПУТЬ... [-o ФАЙЛ.pot]\n"
            "scrivlet-cli po import ФАЙЛ.po ПУТЬ... (-o ПАПКА | --in-place)\n"
            "\n"
            "ПУТЬ: папка (файлы .edt ищутся во всех вложенных), скрипт .npc (берётся файл\n"
            "диалогов рядом) или файл .edt.\n"
            "\n"
            "export выводит шаблон перевода в UTF-8 (без -o в стандартный вывод): по\n"
            "записи на каждую различную непустую строку каждого файла диалогов; msgctxt —\n"
            "имя файла (057.edt), msgid — текст строки, ссылки #: 057.edt:N на каждую\n"
            "фразу с этим текстом, а комментарий #. называет персонажа из списка Npc и\n"
            "записи скрипта рядом, которые произносят строку. Обновить старый перевод:\n"
            "msgmerge -U перевод.po шаблон.pot.\n"
            "\n"
            "import пишет переведённые копии файлов диалогов под теми же именами в ПАПКУ\n"
            "(--in-place заменяет сами файлы). Строка берёт msgstr записи с msgctxt, равным\n"
            "имени её файла, и msgid, равным её тексту, если он не пуст и не помечен fuzzy;\n"
            "прочие строки остаются как были. Скрипты не меняются, номера фраз те же.\n"
            "Перевод, который не помещается в строку (длиннее 240 знаков, знак не из\n"
            "Windows-1251, перевод строки или управляющий знак), и msgctxt, не называющий\n"
            "файла диалогов, выводятся с номером строки файла перевода, и тогда не\n"
            "пишется ничего (код 1). Все файлы пишутся вместе или ни один. Для каждого\n"
            "файла выводится: 057.edt: переведено 40, без перевода 3, неточных 2.\n"
            "Код 2, если файл перевода не удалось прочитать."),
        run,
    };
}
