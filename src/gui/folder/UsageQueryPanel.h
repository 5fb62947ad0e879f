#pragma once

#include "editor/RecordSearch.h"
#include "editor/ReferenceLists.h"
#include "session/SessionResult.h"

#include <QByteArray>
#include <QWidget>

#include <functional>
#include <optional>

class NamePickModel;
class QComboBox;
class QLineEdit;
class QListView;
class QStackedWidget;

// What the find-usages dialog looks for: values in record fields, or words in the phrases.
struct UsageQuery {
    QList<SearchTerm> terms;
    QByteArray phraseWords; // Windows-1251; set when the phrases are searched
};

// The left side of the find-usages dialog: a value picked by name from its list, a field
// and a number, or the words of a phrase.
class UsageQueryPanel : public QWidget
{
    Q_OBJECT
public:
    UsageQueryPanel(const ReferenceLists &lists, QWidget *parent);

    // Takes the lists as they are now (they may have been read again) and puts the focus
    // where the user types.
    void refresh();
    // Takes the lists as they are now, the pick kept where the number still is.
    void takeLists() { kindChanged(); }
    // What to look for, or why nothing can be.
    SessionResult query(UsageQuery &query) const;

signals:
    void findRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildNamesPage();
    QWidget *buildFieldPage();
    QWidget *buildPhrasePage();
    void kindChanged();
    void filterChanged(const QString &text);
    // Runs a change of the names shown, keeping the picked one while it is still shown.
    void keepingPick(const std::function<void()> &change);
    void selectRow(int row);
    SessionResult chosenTerm(SearchTerm &term) const;
    SessionResult chosenWords(QByteArray &chosen) const;

    const ReferenceLists &m_lists;
    ListId m_shownList = ListId::None;
    QComboBox *m_what = nullptr;
    QStackedWidget *m_pages = nullptr;
    QLineEdit *m_filter = nullptr;
    QListView *m_names = nullptr;
    NamePickModel *m_nameModel = nullptr;
    QComboBox *m_field = nullptr;
    QLineEdit *m_value = nullptr;
    QLineEdit *m_words = nullptr;
};
