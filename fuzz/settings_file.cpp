// The settings file from any bytes: read and written unchanged it is the same bytes; with
// the program's keys set, every other line comes back byte for byte and in its place,
// both for the raw INI file and for the settings read and written through a real file.
#include "FuzzCheck.h"
#include "common/IniFile.h"
#include "session/AppConfig.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <map>

namespace
{

using Values = std::map<QByteArray, QByteArray>; // key -> value written

struct RawLine {
    QByteArray text;
    QByteArray end;
};

QList<RawLine> rawLines(const QByteArray &bytes)
{
    QList<RawLine> lines;
    for (qsizetype start = 0; start < bytes.size();) {
        const qsizetype lf = bytes.indexOf('\n', start);
        const qsizetype next = lf < 0 ? bytes.size() : lf + 1;
        QByteArray line = bytes.mid(start, next - start);
        const int endSize = line.endsWith("\r\n") ? 2 : line.endsWith('\n') ? 1 : 0;
        lines.append({line.chopped(endSize), line.right(endSize)});
        start = next;
    }
    return lines;
}

const QByteArray *writtenKey(const Values &values, const QByteArray &text)
{
    const qsizetype eq = text.indexOf('=');
    if (eq < 0)
        return nullptr;
    const auto found = values.find(text.left(eq));
    return found != values.end() && found->second == text.mid(eq + 1) ? &found->first : nullptr;
}

// Each line of before is in after, in order, unless it was a line of a key that was set;
// after holds nothing else but the keys set and their section line.
void checkOtherLinesKept(const QByteArray &before, const QByteArray &after, const Values &values)
{
    const QList<RawLine> old = rawLines(before);
    const QList<RawLine> now = rawLines(after);
    qsizetype o = 0;
    for (qsizetype n = 0; n < now.size(); ++n) {
        const RawLine &line = now[n];
        const bool lastOld = o + 1 == old.size();
        if (o < old.size() && line.text == old[o].text &&
            (line.end == old[o].end || (lastOld && old[o].end.isEmpty() && line.end == "\r\n"))) {
            ++o;
            continue;
        }
        const QByteArray *key = writtenKey(values, line.text);
        if (key && o < old.size()) {
            const qsizetype eq = old[o].text.indexOf('=');
            if (eq > 0 && old[o].text.left(eq).trimmed().compare(*key, Qt::CaseInsensitive) == 0) {
                ++o; // the key's own line, set anew
                continue;
            }
        }
        FUZZ_CHECK(key || line.text == "[Config]");
        FUZZ_CHECK(line.end == "\r\n");
    }
    FUZZ_CHECK(o == old.size());
}

void rawFile(const QByteArray &bytes)
{
    IniFile ini;
    ini.parse(bytes);
    FUZZ_CHECK(ini.serialize() == bytes);
    const QByteArray workDir = bytes.right(12);
    if (!ini.setValue("Config", "WorkDir", workDir)) {
        FUZZ_CHECK(workDir.contains('\n') || workDir.contains('\r'));
        FUZZ_CHECK(ini.serialize() == bytes);
        return;
    }
    ini.setValue("Config", "FormWidth", "900");
    FUZZ_CHECK(ini.value("config", "workdir") == workDir.trimmed() || workDir != workDir.trimmed());
    FUZZ_CHECK(ini.intValue("CONFIG", "FormWidth", 0) == 900);
    const QByteArray written = ini.serialize();
    checkOtherLinesKept(bytes, written, {{"WorkDir", workDir}, {"FormWidth", "900"}});
    IniFile again;
    again.parse(written);
    FUZZ_CHECK(again.serialize() == written);
    FUZZ_CHECK(again.intValue("Config", "FormWidth", 0) == 900);
}

void settingsFile(const QByteArray &bytes)
{
    // In memory where there is a tmpfs: every write ends in an fsync.
    static QTemporaryDir folder(QFileInfo(QStringLiteral("/dev/shm")).isDir()
                                    ? QStringLiteral("/dev/shm/scrivlet-fuzz-XXXXXX")
                                    : QDir::tempPath() + QStringLiteral("/scrivlet-fuzz-XXXXXX"));
    const QString path = QDir(folder.path()).filePath(QStringLiteral("scrivlet.ini"));
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                   file.write(bytes) == bytes.size());
    }
    const AppConfig config = AppConfig::IniRead(folder.path());
    FUZZ_CHECK(config.FormWidth >= AppConfig::MinFormWidth);
    FUZZ_CHECK(config.IniWrite());
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    Values values{{"WorkDir", QFile::encodeName(config.WorkDir)},
                  {"DataDir", QFile::encodeName(config.DataDir)},
                  {"FormWidth", QByteArray::number(config.FormWidth)},
                  {"AlertShow", QByteArray::number(config.AlertShow)}};
    if (!config.EdtEditor.isEmpty())
        values["EdtEditor"] = QFile::encodeName(config.EdtEditor);
    const std::pair<QByteArray, std::optional<int>> place[] = {{"FormLeft", config.FormLeft},
                                                               {"FormTop", config.FormTop},
                                                               {"FormHeight", config.FormHeight},
                                                               {"SplitterPos", config.SplitterPos}};
    for (const auto &[key, value] : place) {
        if (value)
            values[key] = QByteArray::number(*value);
    }
    values["FormMaximized"] = config.FormMaximized ? "1" : "0";
    for (int i = 0; i < AppConfig::RecentFileCount; ++i)
        values["RecentFile" + QByteArray::number(i + 1)] = QFile::encodeName(config.RecentFiles.value(i));
    checkOtherLinesKept(bytes, written, values);
    const AppConfig reread = AppConfig::IniRead(folder.path());
    FUZZ_CHECK(reread.WorkDir == config.WorkDir && reread.DataDir == config.DataDir);
    FUZZ_CHECK(reread.FormWidth == config.FormWidth && reread.AlertShow == config.AlertShow);
    FUZZ_CHECK(reread.RecentFiles == config.RecentFiles && reread.SplitterPos == config.SplitterPos);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const char *data, size_t size)
{
    const QByteArray bytes(data, qsizetype(size));
    rawFile(bytes);
    settingsFile(bytes);
    return 0;
}
