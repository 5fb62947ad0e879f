#include "cli/Commands.h"
#include "common/Windows1251.h"
#include "dialogue/EdtExport.h"
#include "dialogue/EdtReader.h"

namespace
{

int run(CliContext &context)
{
    const QString input = context.args.positional.at(0);
    EdtReader reader;
    if (!reader.read(input)) {
        context.inputFailed(input, reader.errorString());
        return context.exitCode(false);
    }
    const bool toFile = context.args.has(QStringLiteral("--output"));
    EdtText text = reader.text();
    if (!toFile && context.out.isTerminal()) {
        for (qsizetype k = 0; k < text.size(); ++k)
            text.setLine(k, controlBytesShown(text.at(k)));
    }
    QByteArray bytes = Edt2Txt(text);
    if (context.args.has(QStringLiteral("--utf8")))
        bytes = fromWindows1251(bytes).toUtf8();
    if (toFile)
        context.writeFile(context.args.value(QStringLiteral("--output")), bytes);
    else
        context.out.bytes(bytes);
    return context.exitCode(false);
}

} // namespace

Command edt2txtCommand()
{
    return {
        {QStringLiteral("edt2txt"), {outputOption(false), flagOption(QStringLiteral("--utf8"))}, 1, 1},
        QStringLiteral("текст файла .edt, как его экспортирует редактор"),
        QStringLiteral("scrivlet-cli edt2txt ФАЙЛ.edt [-o ВЫХОД.txt] [--utf8]\n"
                       "\n"
                       "Выводит текст диалогов так же, как экспорт редактора: строки #N, фраза и\n"
                       "пустая строка, в Windows-1251 с CR LF; --utf8 даёт UTF-8. Без -o текст\n"
                       "идёт в стандартный вывод; на терминал управляющие байты фраз (кроме\n"
                       "табуляции) выводятся как \\xNN."),
        run,
    };
}
