#pragma once

#include "editor/ReferenceLists.h"
#include "editor/UsageSearch.h"
#include "gui/folder/FoundListModel.h"

// The usages found so far, a row each: script, record, field, value and name.
class UsageListModel : public FoundListModel
{
    Q_OBJECT
public:
    enum Column { Script, Record, Field, Value };

    UsageListModel(const ReferenceLists &lists, QObject *parent = nullptr);

    // Usages in path and record order, after those already listed.
    void append(const QList<Usage> &usages);

    const Usage &usage(int row) const { return m_usages.at(row); }
    int recordCount() const { return m_records; }
    int scriptCount() const { return m_scripts; }

private:
    int count() const override { return int(m_usages.size()); }
    void clearRows() override;
    QString text(int row, int column) const override;
    QString toolTip(int row, int column) const override;

    const ReferenceLists &m_lists;
    QList<Usage> m_usages;
    int m_records = 0;
    int m_scripts = 0;
};
