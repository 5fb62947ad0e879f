#pragma once

#include <QString>

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

    bool warningsOn() const { return AlertShow == 0; }

    QString iniPath() const;
    QString standardDataDir() const; // the start folder's Data folder
    QString macroPath() const;
    QString helpPath() const;

    // Reads the settings file of the start folder; missing or bad values give defaults.
    static AppConfig IniRead(const QString &startFolder);
    // Keeps the file's other lines byte for byte; refuses to write over a settings file
    // that exists but cannot be read, as that would lose them.
    bool IniWrite(QString *error = nullptr) const;
};
