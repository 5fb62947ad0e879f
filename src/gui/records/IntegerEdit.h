#pragma once

#include <QLineEdit>

// A numeric edit: digits with an optional leading sign, a range and a longest text.
// Leaving it brings the text into the range and reports it; Enter reports the text as
// typed. Text put in by the program is shown as it is, whatever its length. A text the
// user was told was refused is never brought into the range: leaving gives it back.
class IntegerEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit IntegerEdit(QWidget *parent = nullptr);

    // Also makes the longest text the number of digits of max.
    void setRange(qint64 min, qint64 max);
    qint64 minimum() const { return m_min; }
    qint64 maximum() const { return m_max; }
    int maxTextLength() const { return m_maxTextLength; }

    // Whether the user may type this text: digits after an optional sign, no longer
    // than the longest text.
    bool acceptsText(const QString &text) const;
    // Whether the user may turn one text into the other. A longer text that the
    // program put in may be shortened or replaced, but not lengthened.
    bool acceptsChange(const QString &from, const QString &to) const;

    void setRedFrame(bool red);
    bool redFrame() const { return m_redFrame; }

    // What leaving does, for a caller that moves on without the focus moving: a text
    // the user changed is normalised and reported.
    void leaveNow();
    // The text as it stands was refused; until the user types again, leaving the edit
    // asks for the stored value back instead of storing anything.
    void markRefused() { m_refused = true; }

signals:
    // The user left the edit after changing its text; the text is normalised.
    void left();
    void enterPressed();
    // The user left the edit showing a refused text.
    void leftRefused();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    qint64 m_min = 0;
    qint64 m_max = 0;
    int m_maxTextLength = 1;
    bool m_redFrame = false;
    bool m_refused = false;
};
