#include "gui/records/IntegerEdit.h"

#include "editor/FieldCatalogue.h"
#include "editor/FieldRules.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QValidator>

#include <utility>

namespace
{

// Keeps pasted and dropped text to what typing could give.
class IntegerTextValidator : public QValidator
{
public:
    explicit IntegerTextValidator(IntegerEdit *edit) : QValidator(edit), m_edit(edit) {}

    State validate(QString &input, int &) const override
    {
        // Text the program put in (it leaves the edit unmodified) always stays.
        if (!m_edit->isModified())
            return Acceptable;
        return m_edit->acceptsChange(m_previousText, input) ? Acceptable : Invalid;
    }

    QString m_previousText; // validation sees only the new text

private:
    IntegerEdit *m_edit;
};

} // namespace

IntegerEdit::IntegerEdit(QWidget *parent) : QLineEdit(parent)
{
    auto *validator = new IntegerTextValidator(this);
    setValidator(validator);
    connect(this, &QLineEdit::textChanged, this,
            [validator](const QString &text) { validator->m_previousText = text; });
    connect(this, &QLineEdit::textEdited, this, [this] { m_refused = false; });
}

void IntegerEdit::setRange(qint64 min, qint64 max)
{
    m_min = min;
    m_max = max;
    m_maxTextLength = digitCount(max);
}

bool IntegerEdit::acceptsText(const QString &text) const
{
    return acceptsChange(QString(), text);
}

bool IntegerEdit::acceptsChange(const QString &from, const QString &to) const
{
    if (to.size() > m_maxTextLength && to.size() > from.size())
        return false;
    for (qsizetype i = 0; i < to.size(); ++i) {
        const QChar c = to.at(i);
        const bool sign = c == QLatin1Char('+') || c == QLatin1Char('-');
        if (!(c >= QLatin1Char('0') && c <= QLatin1Char('9')) && !(sign && i == 0))
            return false;
    }
    return true;
}

void IntegerEdit::setRedFrame(bool red)
{
    if (red == m_redFrame)
        return;
    m_redFrame = red;
    setStyleSheet(red ? QStringLiteral("QLineEdit { border: 1px solid #e00000; padding: 1px 2px;"
                                       " background: palette(base); }")
                      : QString());
}

void IntegerEdit::leaveNow()
{
    if (!isModified())
        return;
    if (std::exchange(m_refused, false)) {
        setModified(false);
        emit leftRefused();
        return;
    }
    setText(FieldRules::normaliseText(text(), m_min, m_max));
    emit left();
}

void IntegerEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        emit enterPressed();
        return;
    }
    const QString typed = event->text();
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!typed.isEmpty() && typed.at(0).isPrint() && !command) {
        QString result = text();
        int position = cursorPosition();
        if (hasSelectedText()) {
            position = selectionStart();
            result.remove(position, selectedText().size());
        }
        result.insert(position, typed);
        if (!acceptsChange(text(), result)) {
            QApplication::beep();
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

bool IntegerEdit::event(QEvent *event)
{
    // Undo and redo undo the typing first; with nothing typed to undo they go to the
    // window, which undoes the record changes.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->matches(QKeySequence::Undo) && !isUndoAvailable()) ||
            (key->matches(QKeySequence::Redo) && !isRedoAvailable())) {
            event->ignore();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void IntegerEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // Another window taking over (a message box, a popup) is not leaving the edit.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    if (!window()->isVisible())
        return;
    leaveNow();
}
