#pragma once

#include <QDialog>

#include <memory>

class FolderField;
class FolderSearch;
class PhraseHitListModel;
class PhraseSearch;
class Prompts;
class QTreeView;
class ScriptSession;
class StepProgress;
class UsageListModel;
class UsageQueryPanel;
class UsageSearch;
struct UsageQuery;

// Where a value is used in the scripts of a folder, or which phrases hold some words. The
// results fill in as the scripts are read, a batch at a time on the window's own thread,
// so the window stays responsive and the search can be stopped.
class FindUsagesDialog : public QDialog
{
    Q_OBJECT
public:
    // With more scripts than this the search shows its progress and can be stopped.
    static constexpr int ManyFiles = 100;
    static constexpr int BatchFiles = 25;

    FindUsagesDialog(const ScriptSession &session, Prompts &prompts, QWidget &mainWindow);
    ~FindUsagesDialog() override;

    // Shows the dialog, or brings it to the front.
    void FindUsagesExecute();
    void FindClick();
    void StopClick();
    // One batch of the running search; called whenever the window is idle.
    void step();

    void setVisible(bool visible) override;
    QString folder() const;
    bool isSearching() const;

signals:
    // The user asked to see a record of a script.
    void openRequested(const QString &path, int record);
    // The user asked to see a phrase that no record of the script speaks.
    void phraseRequested(const QString &path, qsizetype line);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void build();
    QWidget *buildResults();
    void startSearch(const UsageQuery &query);
    void showResults(bool phrases);
    void openResult(int row);
    void showProgress();
    void showOutcome();

    const ScriptSession &m_session;
    Prompts &m_prompts;
    // One of the two runs at a time; m_search is the one that does.
    std::unique_ptr<UsageSearch> m_usageSearch;
    std::unique_ptr<PhraseSearch> m_phraseSearch;
    FolderSearch *m_search = nullptr;
    bool m_listedInOneStep = true;

    UsageQueryPanel *m_query = nullptr;
    FolderField *m_folderField = nullptr;
    QTreeView *m_usages = nullptr;
    UsageListModel *m_usageModel = nullptr;
    PhraseHitListModel *m_phraseModel = nullptr;
    StepProgress *m_progress = nullptr;
};
