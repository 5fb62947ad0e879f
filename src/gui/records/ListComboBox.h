#pragma once

#include <QComboBox>

class ReferenceList;
class ReferenceListModel;

// A combo box over a reference list. Letters typed into it narrow its popup to the
// names that hold them (the typed text shows in the box meanwhile); digits search by
// number as in any combo box. A pick, filtered or not, is reported as the list entry.
class ListComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit ListComboBox(QWidget *parent);

    // Shows the list's entries, none selected, unfiltered.
    void setList(const ReferenceList *list);
    // The popup is never narrower than this, nor than the widest of the longest names.
    void setMinimumPopupWidth(int width);

    // Room for the minimum contents length: Qt's own hint measures every name.
    QSize sizeHint() const override;
    void showPopup() override;
    void hidePopup() override;

signals:
    void picked(int entry);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setFilterText(const QString &text);
    // True when the key changed the filter.
    bool typeIntoFilter(const QKeyEvent &event);
    void endFilter();
    void refitPopup();
    void onActivated(int row);
    int widestNameWidth() const;

    ReferenceListModel *m_model;
    int m_minimumPopupWidth = 0;
    mutable int m_namesWidth = -1; // measured when first needed
    int m_shownBeforeFilter = -1;
    bool m_popupReady = false;
};
