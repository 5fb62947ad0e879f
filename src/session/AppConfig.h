#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The settings of scrivlet.ini plus the start folder they are relative to.
struct AppConfig {
    static constexpr int MinFormWidth = 700;
    static constexpr int DefaultFormWidth = 895;

    QString startFolder;
    QString WorkDir;
    QString DataDir;
    QString EdtEditor;
    int FormWidth = DefaultFormWidth;
    quint8 AlertShow = 0;
    // Spell checking of the phrases, and the language of the dialogue.
    bool SpellCheck = true;
    QString SpellLang = QStringLiteral("ru_RU");
    // The lists shipped with the program, the last place a list is looked for; empty
    // when the program came without them.
    QString shippedDataDir;

    // Where the window was at the last exit; nothing when never kept.
    std::optional<int> FormLeft;
    std::optional<int> FormTop;
    std::optional<int> FormHeight;
    bool FormMaximized = false;
    std::optional<int> SplitterPos;

    // The scripts last opened or saved, the most recent first.
    static constexpr int RecentFileCount = 8;
    QStringList RecentFiles;
    void addRecentFile(const QString &path);
    void removeRecentFile(const QString &path);

    bool warningsOn() const { return AlertShow == 0; }

    QString iniPath() const;
    QString standardDataDir() const; // the start folder's Data folder
    QString macroPath() const;
    // The start folder's scrivlet10.chm when it is there, else the manual shipped with
    // the program when there is one, else that help file all the same.
    QString helpPath() const;

    // Reads the settings file of the start folder; missing or bad values give defaults.
    // The shipped folders are looked up beside the executable.
    static AppConfig IniRead(const QString &startFolder);
    // Keeps the file's other lines byte for byte; refuses to write over a settings file
    // that exists but cannot be read, as that would lose them. A file that would come out
    // byte for byte the same is not written.
    bool IniWrite() const;
    // Why the last IniWrite failed.
    QString errorString() const { return m_error; }

private:
    mutable QString m_error;
};
