#include "cli/Commands.h"
#include "common/FileSetWriter.h"
#include "common/RegularFile.h"
#include "dialogue/EdtPath.h"
#include "dialogue/EdtWriter.h"
#include "dialogue/PhraseLine.h"
#include "editor/NpcJson.h"

namespace
{

// The dialogue text of the phrases, or the reason one of them cannot be a phrase.
std::optional<EdtText> dialogueText(const QStringList &phrases, QString &error)
{
    EdtText text;
    for (qsizetype k = 0; k < phrases.size(); ++k) {
        const std::optional<QByteArray> line = PhraseLine::fromStoredText(phrases.at(k), error);
        if (!line) {
            error = QStringLiteral("phrases[%1]: ").arg(k) + error;
            return std::nullopt;
        }
        text.insertLine(k, *line);
    }
    return text;
}

int run(CliContext &context)
{
    const QString input = context.args.positional.at(0);
    const QString output = context.args.value(QStringLiteral("--output"));
    // The dialogue goes beside the script under the script's name: any other name could be
    // the dialogue's own.
    if (!output.endsWith(QLatin1String(".npc"), Qt::CaseInsensitive)) {
        context.usageFailed(QStringLiteral("скрипт пишется только в файл .npc, а не в ") + output);
        return ExitFailure;
    }
    QByteArray json;
    QString reason;
    if (!RegularFile::readAll(input, NpcJsonReader::MaxSize, json, reason)) {
        context.inputFailed(input, reason);
        return context.exitCode(false);
    }
    NpcJsonReader reader;
    if (!reader.read(json)) {
        context.inputFailed(input, reader.errorString());
        return context.exitCode(false);
    }
    const QString layoutOption = context.args.value(QStringLiteral("--layout"));
    const NpcLayout layout = layoutOption.isEmpty() ? reader.layout().value_or(NpcLayout::StandardLayout)
                                                    : *layoutNamed(layoutOption);
    if (vestaLosesLastRecord(reader.records(), layout) && !context.args.has(QStringLiteral("--force"))) {
        context.err.line(vestaDropRefusal(input));
        return ExitNegative;
    }
    std::optional<EdtText> dialogue;
    if (reader.phrases()) {
        // Refused before the text is made: it would take as much memory as the file.
        if (const QString tooMany = EdtWriter::tooManyLinesText(reader.phrases()->size()); !tooMany.isEmpty()) {
            context.inputFailed(input, tooMany + QStringLiteral("; ничего не записано"));
            return context.exitCode(false);
        }
        QString error;
        dialogue = dialogueText(*reader.phrases(), error);
        if (!dialogue) {
            context.inputFailed(input, error);
            return context.exitCode(false);
        }
    }
    QStringList outputs{output};
    if (dialogue)
        outputs << withExtension(output, QStringLiteral(".edt"));
    if (!context.mayReplace(outputs))
        return ExitNegative;
    // The script's phrase numbers fit this text only: both files or neither.
    FileSetWriter files;
    files.write(output, NpcWriter::encode(reader.records(), layout));
    if (dialogue)
        files.write(outputs.at(1), EdtWriter::encode(*dialogue));
    context.writeFiles(files);
    return context.exitCode(false);
}

} // namespace

Command buildCommand()
{
    return {
        {QStringLiteral("build"),
         {outputOption(true), layoutOption(QStringLiteral("--layout"), false),
          flagOption(QStringLiteral("--force"))},
         1,
         1},
        QStringLiteral("скрипт из JSON, выведенного dump --format json"),
        QStringLiteral("scrivlet-cli build ФАЙЛ.json -o ФАЙЛ.npc [--layout standard|vesta] [--force]\n"
                       "\n"
                       "Собирает скрипт из JSON вида dump --format json. Записи, которых нет в JSON,\n"
                       "пусты; поле, которого нет в записи, получает значение инициализированной\n"
                       "записи. Значения берутся как в редакторе (-1 — не задано, предметы и реакция\n"
                       "со знаком) или как хранятся в файле. Формат берётся из --layout, иначе из\n"
                       "ключа layout, иначе standard.\n"
                       "Фразы (ключ phrases) записываются в файл .edt рядом со скриптом, вместе со\n"
                       "скриптом, байт в байт как их выводит dump, управляющие знаки тоже (о них\n"
                       "предупреждает check); записываются оба файла или ни один.\n"
                       "Ошибка в JSON (неизвестное поле, значение не по размеру поля, номер записи\n"
                       "вне 0-49 или повторённый, фраза, которую не записать) называет запись и поле\n"
                       "или фразу; файлы тогда не пишутся.\n"
                       "Непустая запись 49 не помещается в формат vesta: без --force сборка отказывается.\n"
                       "Существующие файлы заменяются только с --force, иначе код 1."),
        run,
    };
}
