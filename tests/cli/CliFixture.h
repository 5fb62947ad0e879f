#pragma once

#include "document/NpcFile.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A temporary folder made the current one, with the eight lists in its Data folder, and
// a way to run the command line program in it.
class CliFixture : public ::testing::Test
{
protected:
    struct Result {
        int code = -1;
        QString out;
        QString err;
        QByteArray outBytes;
    };

    void SetUp() override;
    void TearDown() override;

    static NpcRecord plain(); // "initialise record"
    void writeFile(const QString &path, const QByteArray &bytes);
    void writeScript(const QString &path, const NpcRecords &records,
                     NpcLayout layout = NpcLayout::StandardLayout);
    // Each line in the game's encoding: a unit is the byte plus one, a blank stays itself.
    void writeEdt(const QString &path, const QList<QByteArray> &lines);
    QByteArray fileBytes(const QString &path) const;

    Result run(const QStringList &arguments);

    QTemporaryDir dir;

private:
    QString m_previous;
};
