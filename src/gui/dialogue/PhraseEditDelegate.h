#pragma once

#include <QLineEdit>
#include <QPersistentModelIndex>
#include <QStyledItemDelegate>

class SessionSpelling;
class SpellChecker;

// The editor of a phrase: a line that shows, at its right end, how long the text is
// against the 240 characters a phrase may hold, red past them; unknown words are
// underlined, with suggestions on a right click.
class PhraseLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit PhraseLineEdit(QWidget *parent = nullptr, SessionSpelling *spelling = nullptr,
                            const QString &language = QString());

    QString lengthText() const;
    // Where the text starts, scrolled or not.
    int textLeft() const;
    // The language its words are checked in; empty for the dialogue's own.
    QString spellingLanguage() const { return m_language; }

signals:
    void spellingFailed(const QString &message);

protected:
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    const SpellChecker *checker() const;

    SessionSpelling *m_spelling = nullptr;
    QString m_language; // empty: the dialogue's
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
    // The translation column is checked in the language its file declares.
    void setTranslationLanguage(const QString &language) { m_translationLanguage = language; }
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
    QString m_translationLanguage;

    QString languageOf(const QModelIndex &index) const;
};
