#include "gui/dialogue/SpellingMarks.h"

#include "session/SessionSpelling.h"

#include <QAction>
#include <QFontMetrics>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>

namespace SpellingMarks
{

void underline(QPainter &painter, const QFontMetrics &metrics, const QRect &clip, int left, int baseline,
               const QString &text, const QList<Misspelling> &words)
{
    if (words.isEmpty())
        return;
    painter.save();
    painter.setClipRect(clip);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(220, 0, 0), 1));
    const int y = baseline + std::max(1, metrics.descent() / 2);
    for (const Misspelling &word : words) {
        const int x1 = left + metrics.horizontalAdvance(text.left(word.start));
        const int x2 = x1 + metrics.horizontalAdvance(text.mid(word.start, word.length));
        if (x2 < clip.left() || x1 > clip.right())
            continue;
        QPainterPath wave;
        wave.moveTo(x1, y);
        for (int x = x1, up = 1; x < x2; x += 2, up = -up)
            wave.lineTo(std::min(x + 2, x2), y - up * 1.5 + 0.5);
        painter.drawPath(wave);
    }
    painter.restore();
}

std::optional<Misspelling> wordAt(const QFontMetrics &metrics, const QString &text, const QList<Misspelling> &words,
                                  int x)
{
    for (const Misspelling &word : words) {
        const int x1 = metrics.horizontalAdvance(text.left(word.start));
        const int x2 = x1 + metrics.horizontalAdvance(text.mid(word.start, word.length));
        if (x >= x1 && x < x2)
            return word;
    }
    return std::nullopt;
}

QString replaced(const QString &text, const Misspelling &word, const QString &with)
{
    return text.left(word.start) + with + text.mid(word.start + word.length);
}

void addSuggestions(QMenu &menu, SessionSpelling &spelling, const Misspelling &word,
                    const std::function<void(const QString &)> &replace,
                    const std::function<void(const QString &)> &failed)
{
    const SpellChecker *checker = spelling.checker();
    if (!checker)
        return;
    QAction *first = menu.actions().value(0);
    QList<QAction *> added;
    const QStringList suggestions = checker->suggestions(word.word);
    for (const QString &suggestion : suggestions) {
        auto *action = new QAction(suggestion, &menu);
        QObject::connect(action, &QAction::triggered, &menu, [replace, suggestion] { replace(suggestion); });
        added << action;
    }
    if (suggestions.isEmpty()) {
        auto *none = new QAction(QStringLiteral("(нет вариантов)"), &menu);
        none->setEnabled(false);
        added << none;
    }
    auto *add = new QAction(QStringLiteral("Добавить в словарь"), &menu);
    add->setObjectName(QStringLiteral("AddToDictionary"));
    QObject::connect(add, &QAction::triggered, &menu, [&spelling, failed, w = word.word] {
        if (const SessionResult result = spelling.addWord(w); !result)
            failed(result.message);
    });
    added << add;
    auto *separator = new QAction(&menu);
    separator->setSeparator(true);
    added << separator;
    menu.insertActions(first, added);
}

} // namespace SpellingMarks
