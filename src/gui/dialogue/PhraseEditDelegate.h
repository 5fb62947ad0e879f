#pragma once

#include <QLineEdit>
#include <QPersistentModelIndex>
#include <QStyledItemDelegate>

class SessionSpelling;

// The editor of a phrase: a line that shows, at its right end, how long the text is
// against the 240 characters a phrase may hold, red past them; unknown words are
// underlined, with suggestions on a right click.
class PhraseLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit PhraseLineEdit(QWidget *parent = nullptr, SessionSpelling *spelling = nullptr);

    QString lengthText() const;
    // Where the text starts, scrolled or not.
    int textLeft() const;

signals:
    void spellingFailed(const QString &message);

protected:
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    SessionSpelling *m_spelling = nullptr;
};

// Edits the text column with a PhraseLineEdit. A text the session refused comes back
// into the editor opened again, so that nothing typed is lost.
class PhraseEditDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Unknown words are underlined, in the table and while typing.
    void setSpelling(SessionSpelling *spelling) { m_spelling = spelling; }
    // Where the text of a cell starts.
    QRect textRect(const QStyleOptionViewItem &option, const QModelIndex &index) const;

    // The next editor opened on the index starts with this text.
    void keepText(const QModelIndex &index, const QString &text);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

signals:
    void spellingFailed(const QString &message) const;

private:
    mutable QPersistentModelIndex m_keptIndex;
    mutable QString m_keptText;
    SessionSpelling *m_spelling = nullptr;
};
