#pragma once

#include "dialogue/PhraseSearch.h"
#include "gui/folder/FoundListModel.h"

// The phrases found so far, a row each: script, phrase number, the records that speak it
// and the line.
class PhraseHitListModel : public FoundListModel
{
    Q_OBJECT
public:
    enum Column { Script, Phrase, Records, Line };

    explicit PhraseHitListModel(QObject *parent = nullptr);

    // Hits in path and line order, after those already listed.
    void append(const QList<PhraseHit> &hits);

    const PhraseHit &hit(int row) const { return m_hits.at(row); }
    int scriptCount() const { return m_scripts; }

private:
    int count() const override { return int(m_hits.size()); }
    void clearRows() override;
    QString text(int row, int column) const override;
    QString toolTip(int row, int column) const override;

    QList<PhraseHit> m_hits;
    int m_scripts = 0;
};
