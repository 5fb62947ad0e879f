#include "gui/folder/UsageQueryPanel.h"

#include "common/Windows1251.h"
#include "dialogue/PhraseLine.h"
#include "editor/FieldRules.h"
#include "editor/FieldText.h"
#include "gui/folder/DialogParts.h"
#include "gui/folder/NamePickModel.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QRegularExpressionValidator>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace
{

// What can be picked by name: the list that names it and the fields it is looked for in.
struct NamedKind {
    const char *caption;
    ListId list;
    SearchTerm (*term)(qint64);
};

const NamedKind NamedKinds[] = {
    {"Воздействие", ListId::Action, SearchTerm::action},
    {"Предмет", ListId::Items, SearchTerm::item},
    {"Персонаж", ListId::Npc, SearchTerm::npc},
    {"Реакция", ListId::React, [](qint64 v) { return SearchTerm::field(NpcField::React, v); }},
    {"Факт", ListId::Trigg, SearchTerm::fact},
    {"Квест", ListId::Q_Input, SearchTerm::quest},
    {"Режим", ListId::Modes, [](qint64 v) { return SearchTerm::field(NpcField::Mode, v); }},
};
constexpr int FieldKind = std::size(NamedKinds);
constexpr int PhraseKind = FieldKind + 1;
enum Page { NamesPage, FieldPage, PhrasePage };

QString kindCaption(const NamedKind &kind)
{
    QStringList fields;
    for (NpcField field : kind.term(0).fields)
        fields << NpcRecord::fieldName(field);
    return QString::fromUtf8(kind.caption) + QStringLiteral(" (") + fields.join(QStringLiteral(", ")) +
           QLatin1Char(')');
}

} // namespace

UsageQueryPanel::UsageQueryPanel(const ReferenceLists &lists, QWidget *parent) : QWidget(parent), m_lists(lists)
{
    m_what = new QComboBox(this);
    m_what->setObjectName(QStringLiteral("Combo_What"));
    for (const NamedKind &kind : NamedKinds)
        m_what->addItem(kindCaption(kind));
    m_what->addItem(QStringLiteral("Поле записи и число"));
    m_what->addItem(QStringLiteral("Текст фразы"));
    m_what->setCurrentIndex(4); // facts are what is looked for most

    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("Stack_What"));
    m_pages->insertWidget(NamesPage, buildNamesPage());
    m_pages->insertWidget(FieldPage, buildFieldPage());
    m_pages->insertWidget(PhrasePage, buildPhrasePage());

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(captionFor(this, QStringLiteral("&Что искать:"), m_what));
    layout->addWidget(m_what);
    layout->addWidget(m_pages, 1);
    connect(m_what, &QComboBox::currentIndexChanged, this, &UsageQueryPanel::kindChanged);
}

QWidget *UsageQueryPanel::buildNamesPage()
{
    auto *page = new QWidget(this);
    m_filter = new QLineEdit(page);
    m_filter->setObjectName(QStringLiteral("Edit_Filter"));
    m_filter->setPlaceholderText(QStringLiteral("Часть названия или номер"));
    m_filter->setClearButtonEnabled(true);
    m_filter->installEventFilter(this);
    m_nameModel = new NamePickModel(this);
    m_names = new QListView(page);
    m_names->setObjectName(QStringLiteral("List_Names"));
    m_names->setModel(m_nameModel);
    m_names->setUniformItemSizes(true); // lists of many thousands of names
    m_names->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_filter);
    layout->addWidget(m_names, 1);
    connect(m_filter, &QLineEdit::textChanged, this, &UsageQueryPanel::filterChanged);
    connect(m_filter, &QLineEdit::returnPressed, this, &UsageQueryPanel::findRequested);
    connect(m_names, &QListView::activated, this, &UsageQueryPanel::findRequested);
    return page;
}

QWidget *UsageQueryPanel::buildFieldPage()
{
    auto *page = new QWidget(this);
    m_field = new QComboBox(page);
    m_field->setObjectName(QStringLiteral("Combo_Field"));
    for (int i = 0; i < NpcFieldCount; ++i) {
        const auto field = NpcField(i);
        const QString caption = fieldCaption(field);
        m_field->addItem(caption.isEmpty() ? QString(NpcRecord::fieldName(field))
                                           : NpcRecord::fieldName(field) + QStringLiteral(" (") + caption +
                                                 QLatin1Char(')'));
    }
    m_value = new QLineEdit(page);
    m_value->setObjectName(QStringLiteral("Edit_Value"));
    m_value->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]{0,6}")), m_value));
    auto *hint = new QLabel(QStringLiteral("-1 - значение «не задано»"), page);
    hint->setObjectName(QStringLiteral("Lbl_ValueHint"));

    auto *layout = new QFormLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addRow(captionFor(page, QStringLiteral("&Поле:"), m_field), m_field);
    layout->addRow(captionFor(page, QStringLiteral("Ч&исло:"), m_value), m_value);
    layout->addRow(QString(), hint);
    connect(m_value, &QLineEdit::returnPressed, this, &UsageQueryPanel::findRequested);
    return page;
}

QWidget *UsageQueryPanel::buildPhrasePage()
{
    auto *page = new QWidget(this);
    m_words = new QLineEdit(page);
    m_words->setObjectName(QStringLiteral("Edit_PhraseText"));
    m_words->setPlaceholderText(QStringLiteral("Слова из фразы"));
    m_words->setClearButtonEnabled(true);
    m_words->setMaxLength(PhraseLine::MaxLength);
    auto *hint = new QLabel(QStringLiteral("В любом регистре, в EDT-файлах рядом со скриптами."), page);
    hint->setObjectName(QStringLiteral("Lbl_PhraseHint"));
    hint->setWordWrap(true);

    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_words);
    layout->addWidget(hint);
    layout->addStretch(1);
    connect(m_words, &QLineEdit::returnPressed, this, &UsageQueryPanel::findRequested);
    return page;
}

void UsageQueryPanel::refresh()
{
    kindChanged();
    QLineEdit *typed = m_pages->currentIndex() == FieldPage    ? m_value
                       : m_pages->currentIndex() == PhrasePage ? m_words
                                                                : m_filter;
    typed->setFocus();
    typed->selectAll();
}

bool UsageQueryPanel::eventFilter(QObject *watched, QEvent *event)
{
    // The arrows in the filter move through the list below it.
    if (watched == m_filter && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            QCoreApplication::sendEvent(m_names, event);
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void UsageQueryPanel::kindChanged()
{
    const int kind = m_what->currentIndex();
    m_pages->setCurrentIndex(kind == PhraseKind ? PhrasePage : kind == FieldKind ? FieldPage : NamesPage);
    if (kind >= FieldKind)
        return;
    const ListId list = NamedKinds[kind].list;
    if (list != m_shownList)
        m_names->setCurrentIndex({}); // a number of another list names something else
    m_shownList = list;
    keepingPick([&] { m_nameModel->setList(m_lists.byId(list)); });
}

void UsageQueryPanel::filterChanged(const QString &text)
{
    keepingPick([&] { m_nameModel->setFilter(text); });
}

void UsageQueryPanel::keepingPick(const std::function<void()> &change)
{
    const QModelIndex current = m_names->currentIndex();
    const std::optional<qint64> kept =
        current.isValid() ? std::optional(m_nameModel->number(current.row())) : std::nullopt;
    change();
    const int row = kept ? m_nameModel->rowOf(*kept) : -1;
    selectRow(row < 0 ? 0 : row);
}

void UsageQueryPanel::selectRow(int row)
{
    const QModelIndex index = m_nameModel->index(row, 0);
    m_names->setCurrentIndex(index);
    if (index.isValid())
        m_names->scrollTo(index);
}

SessionResult UsageQueryPanel::query(UsageQuery &query) const
{
    query = {};
    if (m_what->currentIndex() == PhraseKind)
        return chosenWords(query.phraseWords);
    query.terms.resize(1);
    return chosenTerm(query.terms.front());
}

SessionResult UsageQueryPanel::chosenWords(QByteArray &chosen) const
{
    const QString words = m_words->text();
    if (words.trimmed().isEmpty())
        return SessionResult::failure(QStringLiteral("Введите слова, которые искать в фразах."));
    if (const qsizetype bad = firstUnencodable1251(words); bad >= 0)
        return SessionResult::failure(PhraseLine::unencodableText(words, bad) +
                                      QStringLiteral(": в фразах его не найти."));
    chosen = toWindows1251(words);
    return {};
}

SessionResult UsageQueryPanel::chosenTerm(SearchTerm &term) const
{
    const int kind = m_what->currentIndex();
    if (kind == FieldKind) {
        const std::optional<qint64> value = FieldRules::readNumber(m_value->text());
        if (!value)
            return SessionResult::failure(QStringLiteral("Введите число: значение поля, -1 - «не задано»."));
        term = SearchTerm::field(NpcField(m_field->currentIndex()), *value);
    } else {
        const QModelIndex current = m_names->currentIndex();
        if (!current.isValid())
            return SessionResult::failure(QStringLiteral("Выберите название в списке."));
        term = NamedKinds[kind].term(m_nameModel->number(current.row()));
    }
    for (NpcField field : std::as_const(term.fields)) {
        if (!storedValue(field, term.value)) {
            const bool word = NpcRecord::isWordField(field);
            return SessionResult::failure(QStringLiteral("Число %1 не помещается в поле %2 (от %3 до %4).")
                                              .arg(term.value)
                                              .arg(NpcRecord::fieldName(field))
                                              .arg(word ? -32768 : -128)
                                              .arg(word ? 65535 : 255));
        }
    }
    return {};
}
