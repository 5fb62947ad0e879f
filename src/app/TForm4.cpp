// TForm4: the configuration dialog.
#include "app/TForm4.h"

#include "app/FileTypeRegistration.h"
#include "app/TForm1.h"
#include "gui/widgets/ProgramIcon.h"
#include "gui/widgets/Prompts.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace
{

constexpr int ClientWidth = 362;
constexpr int ClientHeight = 218;
// Beyond the right edge of the client area, so never seen.
constexpr int HiddenLeft = ClientWidth + 16;

template <typename T> T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QToolButton *browseButton(QWidget *parent, const char *name)
{
    auto *button = named(new QToolButton(parent), name);
    button->setIcon(programIcon(QStringLiteral(":/icons/Browse.svg")));
    button->setIconSize(QSize(18, 18));
    return button;
}

QLineEdit *pathEdit(QWidget *parent, const char *name)
{
    auto *edit = named(new QLineEdit(parent), name);
    // Only the choosers fill it.
    edit->setEnabled(false);
    return edit;
}

} // namespace

TForm4::TForm4(TForm1 &mainWindow) : PlacedDialog(mainWindow), m_main(mainWindow)
{
    setObjectName(QStringLiteral("TForm4"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(ClientWidth, ClientHeight);
    createControls();
    FormCreate();
}

void TForm4::createControls()
{
    m_lblEdtEditor = named(new QLabel(this), "Lbl_EdtEditor");
    m_lblEdtEditor->setGeometry(8, 8, 313, 17);
    m_editEdtEditor = pathEdit(this, "Edit_EdtEditor");
    m_editEdtEditor->setGeometry(8, 26, 313, 23);
    m_btnSelectEdtEdit = browseButton(this, "Btn_SelectEdtEdit");
    m_btnSelectEdtEdit->setGeometry(326, 25, 28, 25);

    m_lblDataDir = named(new QLabel(this), "Lbl_DataDir");
    m_lblDataDir->setGeometry(8, 60, 346, 17);
    m_editDataDir = pathEdit(this, "Edit_DataDir");
    m_editDataDir->setGeometry(8, 78, 313, 23);
    m_btnSelectDataDir = browseButton(this, "Btn_SelectDataDir");
    m_btnSelectDataDir->setGeometry(326, 77, 28, 25);

    m_checkBox1 = named(new QCheckBox(this), "CheckBox1");
    m_checkBox1->setGeometry(8, 118, 346, 21);

    m_btnOk = named(new QPushButton(this), "Btn_Ok");
    m_btnOk->setIcon(programIcon(QStringLiteral(":/icons/Ok.svg")));
    m_btnOk->setGeometry(142, 182, 102, 28);
    m_btnClose = named(new QPushButton(this), "Btn_Close");
    m_btnClose->setIcon(programIcon(QStringLiteral(":/icons/Close.svg")));
    m_btnClose->setGeometry(252, 182, 102, 28);

    m_lblAssoc = named(new QLabel(this), "Lbl_Assoc");
    m_lblAssoc->setGeometry(HiddenLeft, 8, 240, 17);
    m_btnAssoc = named(new QPushButton(this), "Btn_Assoc");
    m_btnAssoc->setGeometry(HiddenLeft, 28, 102, 28);
    m_btnAssoc->setEnabled(false);
    m_lblLng = named(new QLabel(this), "Lbl_Lng");
    m_lblLng->setGeometry(HiddenLeft, 66, 240, 17);
    m_comboLng = named(new QComboBox(this), "Combo_Lng");
    m_comboLng->addItem(QStringLiteral("Русский"));
    m_comboLng->setGeometry(HiddenLeft, 84, 145, 23);
    m_comboLng->setEnabled(false);

    connect(m_btnSelectEdtEdit, &QToolButton::clicked, this, &TForm4::Btn_SelectEdtEditClick);
    connect(m_btnSelectDataDir, &QToolButton::clicked, this, &TForm4::Btn_SelectDataDirClick);
    // Only a click by the user: showing the setting must not count as changing it.
    connect(m_checkBox1, &QCheckBox::clicked, this, &TForm4::CheckBox1Click);
    connect(m_btnOk, &QPushButton::clicked, this, &TForm4::Btn_OkClick);
    connect(m_btnClose, &QPushButton::clicked, this, &TForm4::Btn_CloseClick);
    connect(m_btnAssoc, &QPushButton::clicked, this, &TForm4::Btn_AssocClick);
}

void TForm4::FormCreate()
{
    place();
    setWindowTitle(m_main.action(QStringLiteral("Config"))->text());
    m_lblEdtEditor->setText(QStringLiteral("EDT-редактор:"));
    m_lblDataDir->setText(QStringLiteral("Папка с модифицированными списками данных:"));
    m_checkBox1->setText(QStringLiteral("Отключить предупреждения при вводе значений"));
    m_btnOk->setText(QStringLiteral("Сохранить"));
    m_btnClose->setText(QStringLiteral("Закрыть"));
    m_lblAssoc->setText(QStringLiteral("Ассоциировать NPC-файлы с редактором"));
    m_lblLng->setText(QStringLiteral("Язык интерфейса:"));
}

void TForm4::FormActivate()
{
    const AppConfig &config = m_main.session().settings().config();
    m_editEdtEditor->setText(config.EdtEditor);
    if (config.DataDir != config.standardDataDir())
        m_editDataDir->setText(config.DataDir);
    // Greyed while the edit is empty: where the lists really came from.
    m_editDataDir->setPlaceholderText(
        QDir::toNativeSeparators(m_main.session().lists().sourceFolders().join(QStringLiteral("; "))));
    m_checkBox1->setChecked(config.AlertShow != 0);
    m_settingsChanged = false;
}

void TForm4::Btn_SelectEdtEditClick()
{
    FileDialogOptions options;
    options.title = QStringLiteral("Выбор EDT-редактора");
    options.filter = QStringLiteral("Исполняемые файлы *.exe|*.exe|Все файлы|*.*");
    options.showHidden = true;
    if (const QString current = m_editEdtEditor->text(); !current.isEmpty())
        options.directory = QFileInfo(current).absolutePath();
    const QString chosen = m_main.prompts().openFile(this, options);
    if (chosen.isEmpty())
        return;
    m_editEdtEditor->setText(chosen);
    m_settingsChanged = true;
}

void TForm4::Btn_SelectDataDirClick()
{
    const QString shown = m_editDataDir->text();
    const QString chosen = m_main.prompts().chooseFolder(this, QStringLiteral("Выбор папки с мод-списками"),
                                                         shown.isEmpty() ? m_main.session().settings().config().DataDir : shown);
    if (chosen.isEmpty())
        return;
    m_editDataDir->setText(chosen);
    m_settingsChanged = true;
}

void TForm4::CheckBox1Click()
{
    m_main.session().settings().setWarningsOff(m_checkBox1->isChecked());
    m_settingsChanged = true;
}

void TForm4::Btn_OkClick()
{
    if (m_settingsChanged) {
        // An empty folder stands for the standard one, which the next start substitutes.
        m_main.session().settings().setDataDir(m_editDataDir->text());
        m_main.session().settings().setExternalEditor(m_editEdtEditor->text());
        m_settingsChanged = false;
    }
    accept();
}

void TForm4::Btn_CloseClick()
{
    m_settingsChanged = false;
    QDialog::reject();
}

void TForm4::reject()
{
    Btn_CloseClick();
}

void TForm4::Btn_AssocClick()
{
    associateNpcFiles(m_main.prompts(), &m_main);
}
