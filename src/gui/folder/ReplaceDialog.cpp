#include "gui/folder/ReplaceDialog.h"

#include "common/FileSetWriter.h"
#include "common/Windows1251.h"
#include "gui/folder/DialogParts.h"
#include "gui/widgets/Prompts.h"
#include "session/ScriptSession.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace
{

enum Column { FileColumn, PhraseColumn, BeforeColumn, AfterColumn };
constexpr int FileRole = Qt::UserRole;
constexpr int LineRole = Qt::UserRole + 1;

QCheckBox *checkBox(QWidget *parent, const char *name, const QString &text)
{
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

} // namespace

ReplaceDialog::ReplaceDialog(ScriptSession &session, Prompts &prompts, QWidget &mainWindow)
    : QDialog(&mainWindow), m_session(session), m_prompts(prompts)
{
    setObjectName(QStringLiteral("ReplaceDialog"));
    setWindowTitle(QStringLiteral("Заменить в текстах"));
    resize(860, 520);
    build();
}

void ReplaceDialog::build()
{
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("Edit_ReplaceText"));
    m_with = new QLineEdit(this);
    m_with->setObjectName(QStringLiteral("Edit_ReplaceWith"));
    m_regex = checkBox(this, "Check_Regex", QStringLiteral("Регулярное выражение (\\1 в замене — первая группа)"));
    m_ignoreCase = checkBox(this, "Check_IgnoreCase", QStringLiteral("Без учёта регистра"));
    m_yo = checkBox(this, "Check_Yo", QStringLiteral("«е» и «ё» — одна буква"));
    m_scope = new QComboBox(this);
    m_scope->setObjectName(QStringLiteral("Combo_ReplaceScope"));
    m_scope->addItems({QStringLiteral("этот скрипт"), QStringLiteral("все скрипты папки")});

    auto *options = new QHBoxLayout;
    options->addWidget(m_regex);
    options->addWidget(m_ignoreCase);
    options->addWidget(m_yo);
    options->addStretch(1);
    auto *form = new QFormLayout;
    form->addRow(captionFor(this, QStringLiteral("&Найти:"), m_text), m_text);
    form->addRow(captionFor(this, QStringLiteral("&Заменить на:"), m_with), m_with);
    form->addRow(QString(), options);
    form->addRow(captionFor(this, QStringLiteral("&Где:"), m_scope), m_scope);

    m_lines = new QTreeWidget(this);
    m_lines->setObjectName(QStringLiteral("Tree_Replacements"));
    m_lines->setRootIsDecorated(false);
    m_lines->setUniformRowHeights(true);
    m_lines->setHeaderLabels({QStringLiteral("Файл"), QStringLiteral("Фраза"), QStringLiteral("Было"),
                              QStringLiteral("Станет")});
    m_lines->header()->setStretchLastSection(true);
    m_lines->setColumnWidth(FileColumn, 150);
    m_lines->setColumnWidth(PhraseColumn, 60);
    m_lines->setColumnWidth(BeforeColumn, 300);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Lbl_ReplaceStatus"));
    m_status->setWordWrap(true);
    auto *preview = dialogButton(this, "Btn_Preview", QStringLiteral("Показать"));
    m_replace = dialogButton(this, "Btn_Replace", QStringLiteral("Заменить"));
    auto *close = dialogButton(this, "Btn_Close", QStringLiteral("Закрыть"));
    preview->setDefault(true); // Enter in the edits shows the lines
    m_replace->setEnabled(false);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_status, 1);
    bottom->addWidget(preview);
    bottom->addWidget(m_replace);
    bottom->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_lines, 1);
    layout->addLayout(bottom);

    connect(preview, &QPushButton::clicked, this, &ReplaceDialog::PreviewClick);
    connect(m_replace, &QPushButton::clicked, this, &ReplaceDialog::ReplaceClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    for (QLineEdit *edit : {m_text, m_with})
        connect(edit, &QLineEdit::textChanged, this, &ReplaceDialog::inputsChanged);
    for (QCheckBox *box : {m_regex, m_ignoreCase, m_yo})
        connect(box, &QCheckBox::toggled, this, &ReplaceDialog::inputsChanged);
    connect(m_scope, &QComboBox::currentIndexChanged, this, &ReplaceDialog::inputsChanged);
}

void ReplaceDialog::ReplaceTextExecute()
{
    if (!m_session.dialogue().isLoaded())
        m_scope->setCurrentIndex(WholeFolder);
    inputsChanged();
    show();
    raise();
    activateWindow();
    m_text->setFocus();
    m_text->selectAll();
}

QString ReplaceDialog::folder() const
{
    return m_session.hasPath() ? QFileInfo(m_session.document().path).absolutePath() : QDir::currentPath();
}

void ReplaceDialog::say(const QString &text)
{
    m_status->setText(text);
}

void ReplaceDialog::inputsChanged()
{
    // What is shown must be what Заменить writes.
    m_plan.clear();
    m_open = -1;
    m_lines->clear();
    m_replace->setEnabled(false);
    say(QString());
}

bool ReplaceDialog::isOpenText(const QString &path) const
{
    const QString open = m_session.dialogue().path();
    return m_session.dialogue().isLoaded() && !open.isEmpty() &&
           QFileInfo(path).canonicalFilePath() == QFileInfo(open).canonicalFilePath();
}

void ReplaceDialog::PreviewClick()
{
    inputsChanged();
    const TextReplacer replacer({m_text->text(), m_with->text(), m_regex->isChecked(), m_ignoreCase->isChecked(),
                                 m_yo->isChecked()});
    if (!replacer.problem().isEmpty()) {
        say(replacer.problem());
        return;
    }
    if (m_session.dialogue().isLoaded()) {
        m_open = 0;
        m_plan << FileReplacements{m_session.dialogue().path(), m_session.dialogue().text(),
                                   replacer.replaceAll(m_session.dialogue().text())};
    } else if (m_scope->currentIndex() == ThisScript) {
        say(QStringLiteral("У открытого скрипта нет текста диалогов."));
        return;
    }
    QStringList unread;
    if (m_scope->currentIndex() == WholeFolder) {
        for (const QString &path : dialogueFilesAt({folder()})) {
            FileReplacements file;
            QString error;
            if (isOpenText(path))
                continue;
            if (planReplacements(replacer, path, file, error))
                m_plan << std::move(file);
            else
                unread << QDir::toNativeSeparators(path) + QStringLiteral(": ") + error;
        }
    }
    showPlan();
    if (!unread.isEmpty())
        m_status->setToolTip(unread.join(QLatin1Char('\n')));
}

void ReplaceDialog::showPlan()
{
    QList<QTreeWidgetItem *> items;
    qsizetype refused = 0;
    const QDir base(folder());
    for (qsizetype f = 0; f < m_plan.size(); ++f) {
        const FileReplacements &file = m_plan.at(f);
        const QString name = file.path.isEmpty() ? QStringLiteral("(этот скрипт)")
                                                 : QDir::toNativeSeparators(base.relativeFilePath(file.path));
        for (qsizetype k = 0; k < file.lines.size(); ++k) {
            const LineReplacement &line = file.lines.at(k);
            auto *item = new QTreeWidgetItem(QStringList{name, QString::number(line.phrase),
                                                         fromWindows1251(line.before), line.afterText});
            item->setData(FileColumn, FileRole, f);
            item->setData(FileColumn, LineRole, k);
            if (line.refused()) {
                ++refused;
                item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
                item->setForeground(AfterColumn, Qt::red);
                item->setToolTip(AfterColumn, line.refusal);
                item->setText(AfterColumn, line.refusal + QStringLiteral(" — ") + line.afterText);
            } else {
                item->setCheckState(FileColumn, Qt::Checked);
            }
            item->setToolTip(BeforeColumn, item->text(BeforeColumn));
            items << item;
        }
    }
    m_lines->addTopLevelItems(items);
    const qsizetype usable = items.size() - refused;
    m_replace->setEnabled(usable > 0);
    if (items.isEmpty()) {
        say(QStringLiteral("Совпадений нет; менять нечего."));
        return;
    }
    QString text = QStringLiteral("Фраз к замене: %1.").arg(usable);
    if (refused > 0)
        text += QStringLiteral(" Не годятся после замены и не будут изменены: %1 (красным).").arg(refused);
    say(text + QStringLiteral(" Ничего не изменено, пока не нажата кнопка «Заменить»."));
}

QList<LineReplacement> ReplaceDialog::chosen(qsizetype file) const
{
    QList<LineReplacement> lines;
    for (int i = 0; i < m_lines->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = m_lines->topLevelItem(i);
        if (item->data(FileColumn, FileRole).toLongLong() == file && item->checkState(FileColumn) == Qt::Checked)
            lines << m_plan.at(file).lines.at(item->data(FileColumn, LineRole).toLongLong());
    }
    return lines;
}

void ReplaceDialog::ReplaceClick()
{
    QList<LineReplacement> openLines;
    QList<FileReplacements> others;
    for (qsizetype f = 0; f < m_plan.size(); ++f) {
        const QList<LineReplacement> lines = chosen(f);
        if (f == m_open)
            openLines = lines;
        else if (!lines.isEmpty())
            others << FileReplacements{m_plan.at(f).path, m_plan.at(f).text, lines};
    }
    qsizetype count = openLines.size();
    bool stale = false;
    for (const LineReplacement &line : std::as_const(openLines)) {
        const QByteArray *now = m_session.dialogue().text().find(line.phrase);
        stale = stale || !now || *now != line.before;
    }
    for (const FileReplacements &file : std::as_const(others)) {
        stale = stale || !replacementsStillHold(file);
        count += file.lines.size();
    }
    if (stale) {
        PreviewClick();
        say(QStringLiteral("Фразы изменились после просмотра; замены показаны заново. Проверьте их и нажмите "
                           "«Заменить» ещё раз."));
        return;
    }
    FileSetWriter writer;
    queueReplacements(others, writer);
    if (!others.isEmpty() && !writer.commit()) {
        m_prompts.error(this, writer.errorString());
        return;
    }
    if (const SessionResult result = m_session.replacePhrases(openLines); !result) {
        m_prompts.error(this, result.message);
        return;
    }
    inputsChanged();
    say(QStringLiteral("Заменено фраз: %1, в файлах: %2.").arg(count).arg(others.size() + (openLines.isEmpty() ? 0 : 1)));
}
