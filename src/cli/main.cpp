#include "cli/Cli.h"
#include "cli/PictureLibrary.h"
#include "common/Interruption.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char *argv[])
{
    const std::unique_ptr<QCoreApplication> app = PictureLibrary::application(argc, argv);
#ifdef Q_OS_WIN
    // The bytes as written: text mode would put a CR of its own before every LF, and a
    // dialogue text that ends its lines in CR LF would come out with CR CR LF.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    QFile out;
    QFile err;
    // Findings of a large folder are many lines: stdout is buffered, stderr is not.
    if (!out.open(stdout, QIODevice::WriteOnly) ||
        !err.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return 2;
    Interruption::install();
    const int code = runCli(QCoreApplication::arguments().mid(1), out, err);
    out.flush();
    Interruption::endIfRequested();
    return code;
}
