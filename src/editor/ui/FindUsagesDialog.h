#pragma once

#include "editor/RecordSearch.h"
#include "editor/ReferenceLists.h"
#include "editor/UsageSearch.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

class FolderField;
class NamePickModel;
class Prompts;
class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTimer;
class QTreeView;
class ScriptSession;
class UsageListModel;

// Where a value is used in the scripts of a folder: picked by name from its list, or a
// field and a number. The results fill in as the scripts are read, a batch at a time on
// the window's own thread, so the window stays responsive and the search can be stopped.
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
    // One batch of the running search; the timer calls it.
    void step();

    void setVisible(bool visible) override;
    QString folder() const;
    bool isSearching() const;

signals:
    // The user asked to see a record of a script.
    void openRequested(const QString &path, int record);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build();
    QWidget *buildWhat();
    QWidget *buildResults();
    QWidget *buildNamesPage();
    QWidget *buildFieldPage();
    void kindChanged();
    void filterChanged(const QString &text);
    // Runs a change of the names shown, keeping the picked one while it is still shown.
    void keepingPick(const std::function<void()> &change);
    void selectRow(int row);
    std::optional<QList<SearchTerm>> chosenTerms(QString &error) const;
    void showProgress();
    void showOutcome();
    void showError(const QString &text);

    const ScriptSession &m_session;
    Prompts &m_prompts;
    std::unique_ptr<UsageSearch> m_search;
    bool m_listedInOneStep = true;
    ListId m_shownList = ListId::None;

    QComboBox *m_what = nullptr;
    QStackedWidget *m_pages = nullptr;
    QLineEdit *m_filter = nullptr;
    QListView *m_names = nullptr;
    NamePickModel *m_nameModel = nullptr;
    QComboBox *m_field = nullptr;
    QLineEdit *m_value = nullptr;
    FolderField *m_folderField = nullptr;
    QTreeView *m_usages = nullptr;
    UsageListModel *m_usageModel = nullptr;
    QLabel *m_status = nullptr;
    QProgressBar *m_progress = nullptr;
    QPushButton *m_stop = nullptr;
    QTimer *m_timer = nullptr;
};
