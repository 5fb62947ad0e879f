#include "cli/Commands.h"
#include "dialogue/EdtPath.h"
#include "dialogue/EdtTxtReader.h"
#include "dialogue/EdtWriter.h"

namespace
{

int run(CliContext &context)
{
    const QString input = context.args.positional.at(0);
    const QString output =
        context.args.value(QStringLiteral("--output"), withExtension(input, QStringLiteral(".edt")));
    EdtTxtReader reader;
    const auto encoding = context.args.has(QStringLiteral("--utf8")) ? EdtTxtReader::Encoding::Utf8
                                                                     : EdtTxtReader::Encoding::Windows1251;
    if (!reader.read(input, encoding)) {
        context.inputFailed(input, reader.errorString());
        return context.exitCode(false);
    }
    if (const QString tooMany = EdtWriter::tooManyLinesText(reader.text().size()); !tooMany.isEmpty()) {
        context.inputFailed(input, tooMany + QStringLiteral("; ничего не записано"));
        return context.exitCode(false);
    }
    if (!context.mayReplace({output}))
        return ExitNegative;
    context.writeFile(output, EdtWriter::encode(reader.text()));
    return context.exitCode(false);
}

} // namespace

Command txt2edtCommand()
{
    return {
        {QStringLiteral("txt2edt"),
         {outputOption(false), flagOption(QStringLiteral("--utf8")), flagOption(QStringLiteral("--force"))},
         1,
         1},
        QStringLiteral("файл .edt из текста вида edt2txt"),
        QStringLiteral("scrivlet-cli txt2edt ФАЙЛ.txt [-o ФАЙЛ.edt] [--utf8] [--force]\n"
                       "\n"
                       "Собирает файл диалогов из текста, который выводит edt2txt (и экспорт\n"
                       "редактора): строки #0, #1, ... по порядку, за каждой фраза и пустая строка.\n"
                       "Текст в Windows-1251, с --utf8 в UTF-8. Без -o пишет ФАЙЛ.edt рядом с\n"
                       "ФАЙЛОМ.txt. Ошибка (номер не по порядку, фраза длиннее 240 знаков, знак не из\n"
                       "Windows-1251 или управляющий) называет строку; файл тогда не пишется.\n"
                       "Существующий файл заменяется только с --force, иначе код 1."),
        run,
    };
}
