#pragma once

#include <QString>

// The program's words for files it cannot read or write.
QString readProblemText(const QString &path);
QString writeFailureText(const QString &path, const QString &reason);
QString openFailureText(const QString &path, const QString &reason);
QString renameFailureText(const QString &from, const QString &to, const QString &reason);
