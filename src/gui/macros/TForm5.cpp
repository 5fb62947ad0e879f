// TForm5: the "save as macro" dialog.
#include "gui/macros/TForm5.h"

#include "common/Windows1251.h"
#include "gui/widgets/ProgramIcon.h"
#include "gui/widgets/Prompts.h"
#include "session/MacroLibrary.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

namespace
{

class SingleLineValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &position) const override
    {
        for (qsizetype i = input.size() - 1; i >= 0; --i) {
            const QChar c = input.at(i);
            if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c.isNull()) {
                input.remove(i, 1);
                if (i < position)
                    --position;
            }
        }
        return Acceptable;
    }
};

} // namespace

void setUpMacroNameEdit(QLineEdit *edit)
{
    edit->setMaxLength(50);
    edit->setValidator(new SingleLineValidator(edit));
}

QString macroNameEqualsSignText()
{
    return QStringLiteral("Имя макроса не может содержать знак «=».");
}

TForm5::TForm5(MacroLibrary &library, Prompts &prompts, QWidget &mainWindow)
    : PlacedDialog(mainWindow), m_library(library), m_prompts(prompts)
{
    setObjectName(QStringLiteral("TForm5"));
    setFixedSize(362, 101);

    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("Lbl_MacrName"));
    m_label->setGeometry(11, 10, 340, 16);

    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("Edit_MacrName"));
    m_name->setGeometry(11, 28, 340, 22);
    setUpMacroNameEdit(m_name);
    connect(m_name, &QLineEdit::returnPressed, this, &TForm5::Edit_MacrNameKeyPress);

    m_ok = new QPushButton(programIcon(QStringLiteral(":/icons/Ok.svg")), QString(), this);
    m_ok->setObjectName(QStringLiteral("Btn_Ok"));
    m_ok->setGeometry(11, 64, 100, 27);
    connect(m_ok, &QPushButton::clicked, this, &TForm5::Btn_OkClick);

    m_close = new QPushButton(programIcon(QStringLiteral(":/icons/Close.svg")), QString(), this);
    m_close->setObjectName(QStringLiteral("Btn_Close"));
    m_close->setGeometry(251, 64, 100, 27);
    connect(m_close, &QPushButton::clicked, this, &TForm5::Btn_CloseClick);

    // Enter belongs to the name edit alone, so neither button may act as the default.
    for (QPushButton *button : {m_ok, m_close}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    setTabOrder(m_name, m_ok);
    setTabOrder(m_ok, m_close);

    FormCreate();
}

void TForm5::FormCreate()
{
    setWindowTitle(QStringLiteral("Новый макрос"));
    m_label->setText(QStringLiteral("Имя нового макроса:"));
    m_ok->setText(QStringLiteral("Сохранить"));
    m_close->setText(QStringLiteral("Закрыть"));
    place();
}

void TForm5::FormActivate()
{
    m_name->setFocus();
}

int TForm5::saveRecord(const NpcRecord &record)
{
    m_record = record;
    return exec();
}

void TForm5::Edit_MacrNameKeyPress()
{
    Btn_OkClick();
}

void TForm5::Btn_OkClick()
{
    const QString name = m_name->text();
    if (name.isEmpty()) {
        m_prompts.message(this, PromptKind::Warning, QStringLiteral("Не указано имя нового макроса"),
                          QMessageBox::Cancel);
        m_name->setFocus();
        return;
    }
    if (name.contains(QLatin1Char('='))) {
        m_prompts.warning(this, macroNameEqualsSignText());
        m_name->setFocus();
        return;
    }
    if (const SessionResult added = m_library.add(toWindows1251(name), m_record); !added) {
        m_prompts.error(this, added.message);
        m_name->setFocus();
        return;
    }
    m_name->clear();
    accept();
}

void TForm5::Btn_CloseClick()
{
    m_name->clear();
    reject();
}
