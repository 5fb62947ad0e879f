#include "gui/folder/FolderField.h"

#include "gui/widgets/Prompts.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

FolderField::FolderField(Prompts &prompts, const QString &title, const QString &buttonText, QWidget *parent)
    : QWidget(parent), m_prompts(prompts), m_title(title)
{
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("Edit_Folder"));
    m_edit->setReadOnly(true);
    auto *browse = new QPushButton(buttonText, this);
    browse->setObjectName(QStringLiteral("Btn_Folder"));
    browse->setAutoDefault(false);
    // A short text makes a narrow button, not one as wide as a style's minimum.
    browse->setFixedWidth(browse->fontMetrics().horizontalAdvance(buttonText) + 24);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_edit, 1);
    layout->addWidget(browse);
    setFocusProxy(m_edit);
    connect(browse, &QPushButton::clicked, this, &FolderField::FolderClick);
}

void FolderField::setFolder(const QString &folder)
{
    m_folder = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    m_edit->setText(QDir::toNativeSeparators(m_folder));
    m_edit->setCursorPosition(0);
    m_edit->setToolTip(m_edit->text());
    emit changed();
}

void FolderField::FolderClick()
{
    const QString chosen = m_prompts.chooseFolder(window(), m_title, m_folder);
    if (!chosen.isEmpty())
        setFolder(chosen);
}
