#pragma once

#include "document/NpcFile.h"
#include "editor/ReferenceLists.h"
#include "editor/RenumberPlanner.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A game folder "game" and a list folder "Data" in a temporary folder.
class RenumberFixture : public ::testing::Test
{
public:
    QString path(const QString &relative) const { return dir.filePath(relative); }

    void put(const QString &relative, const QByteArray &bytes) const
    {
        QDir().mkpath(QFileInfo(path(relative)).path());
        QFile file(path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    void putScript(const QString &relative, const NpcRecords &records,
                   NpcLayout layout = NpcLayout::StandardLayout) const
    {
        put(relative, NpcWriter::encode(records, layout));
    }
    QByteArray bytes(const QString &relative) const
    {
        QFile file(path(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    }
    NpcRecords records(const QString &relative) const
    {
        NpcReader reader;
        EXPECT_TRUE(reader.read(path(relative))) << relative.toStdString();
        return reader.records();
    }

    // The kind's lists from Data, changed where they are.
    RenumberRequest request(RenumberKind kind, qint64 from, qint64 to) const
    {
        RenumberRequest request{path(QStringLiteral("game")), kind, from, to, {}};
        for (ListId id : renumberKindInfo(kind).lists) {
            const QString list = path(QStringLiteral("Data/") + ReferenceLists::fileName(id));
            if (QFileInfo::exists(list))
                request.lists.insert(id, {list, list});
        }
        return request;
    }

    static NpcRecord initialised()
    {
        NpcRecord record;
        record.initialise();
        return record;
    }

    QTemporaryDir dir;
};
