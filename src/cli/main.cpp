#include "cli/Cli.h"
#include "cli/PictureLibrary.h"
#include "common/Interruption.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    const std::unique_ptr<QCoreApplication> app = PictureLibrary::application(argc, argv);
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
