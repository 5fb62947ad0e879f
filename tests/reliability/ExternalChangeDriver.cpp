// The editor, offscreen, editing and saving while another program changes its files (see
// external_change_test.py). Its questions are answered at random; the log says what it
// asked, what it read again and what it wrote, each with the time and a hash:
//   Q <ms> changed|overwrite <hash of the file on disk> <answer>
//   R <ms> <hash of the records> <hash of the dialogue text>   (read again)
//   S <ms> <hash of the records> <hash of the file right after> <ms when the save began>
//   external_change_driver SCRIPT SEED LOG
#include "app/Startup.h"
#include "app/TForm1.h"
#include "gui/widgets/Prompts.h"
#include "dialogue/EdtWriter.h"
#include "document/NpcFile.h"
#include "gui/file/DiskWatch.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QTimer>

#include <cstdio>
#include <random>

namespace
{

QByteArray hashOf(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex().left(16);
}

QByteArray fileHash(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? hashOf(file.readAll()) : QByteArrayLiteral("none");
}

QByteArray now()
{
    return QByteArray::number(QDateTime::currentMSecsSinceEpoch());
}

std::FILE *logFile = nullptr;

void logLine(const QByteArray &line)
{
    std::fputs((line + '\n').constData(), logFile);
    std::fflush(logFile);
}

class RandomPrompts : public Prompts
{
public:
    RandomPrompts(std::mt19937 &random, QString script) : m_random(random), m_script(std::move(script)) {}

    QMessageBox::StandardButton message(QWidget *, PromptKind, const QString &text,
                                        QMessageBox::StandardButtons buttons) override
    {
        const bool yes = m_random() % 2;
        const char *kind = text.contains(QStringLiteral("Записать поверх")) ? "overwrite" : "changed";
        const QString path = text.contains(QStringLiteral(".edt")) ? QString(m_script).replace(QStringLiteral(".npc"), QStringLiteral(".edt")) : m_script;
        logLine("Q " + now() + ' ' + kind + ' ' + fileHash(path) + ' ' + (yes ? "yes" : "no"));
        if (!(buttons & QMessageBox::Yes))
            return QMessageBox::Ok;
        return yes ? QMessageBox::Yes : QMessageBox::No;
    }
    QString openFile(QWidget *, const FileDialogOptions &) override { return {}; }
    QString saveFile(QWidget *, const FileDialogOptions &) override { return {}; }
    QString chooseFolder(QWidget *, const QString &, const QString &) override { return {}; }

private:
    std::mt19937 &m_random;
    QString m_script;
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: external_change_driver SCRIPT SEED LOG\n");
        return 2;
    }
    const QString script = args[1];
    std::mt19937 random(args[2].toUInt());
    logFile = std::fopen(QFile::encodeName(args[3]).constData(), "w");
    auto windows = startUp(std::make_unique<RandomPrompts>(random, script), {script});
    ScriptSession &session = *windows->session;
    TForm1 &main = *windows->main;
    auto *watch = main.findChild<DiskWatch *>(QStringLiteral("DiskWatch"));
    auto records = [&] { return hashOf(NpcWriter::encode(session.records(), session.document().layout)); };
    QObject::connect(watch, &DiskWatch::said, [&](const QString &text) {
        if (text.contains(QStringLiteral("прочитан заново")) || text.contains(QStringLiteral("прочитаны заново")))
            logLine("R " + now() + ' ' + records() + ' ' + hashOf(EdtWriter::encode(session.dialogue().text())));
    });

    QTimer step;
    QObject::connect(&step, &QTimer::timeout, [&] {
        if (random() % 5 == 0) {
            const bool wanted = session.isModified();
            const QByteArray began = now();
            main.action(QStringLiteral("Save"))->trigger();
            if (wanted && !session.isModified())
                logLine("S " + now() + ' ' + records() + ' ' + fileHash(script) + ' ' + began);
        } else {
            session.selectRecord(int(random() % 48));
            session.commitField(NpcField::FDay, QString::number(random() % 40));
        }
        step.start(int(20 + random() % 200));
    });
    step.start(100);
    QTimer::singleShot(int(qEnvironmentVariableIntValue("SCRIVLET_RUN_MS")), &app, &QApplication::quit);
    const int code = QApplication::exec();
    std::fclose(logFile);
    return code;
}
