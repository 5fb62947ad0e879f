#pragma once

#include <QLineEdit>
#include <QPersistentModelIndex>
#include <QStyledItemDelegate>

// The editor of a phrase: a line that shows, at its right end, how long the text is
// against the 240 characters a phrase may hold, red past them.
class PhraseLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit PhraseLineEdit(QWidget *parent = nullptr);

    QString lengthText() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// Edits the text column with a PhraseLineEdit. A text the session refused comes back
// into the editor opened again, so that nothing typed is lost.
class PhraseEditDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The next editor opened on the index starts with this text.
    void keepText(const QModelIndex &index, const QString &text);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;

private:
    mutable QPersistentModelIndex m_keptIndex;
    mutable QString m_keptText;
};
