// TForm2: the About box.
#include "app/TForm2.h"

#include "app/TForm1.h"
#include "gui/widgets/ProgramIcon.h"

#include <QAction>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace
{

QLabel *label(QWidget *parent, const char *name, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

} // namespace

TForm2::TForm2(TForm1 &mainWindow) : PlacedDialog(mainWindow), m_main(mainWindow)
{
    setObjectName(QStringLiteral("TForm2"));
    setWindowFlag(Qt::Tool);
    setFixedSize(246, 197);

    m_picture = label(this, "Image1", {});
    m_picture->setGeometry(0, 0, 105, 197);

    auto *titleLabel = label(this, "Lbl_Title", QStringLiteral("Scrivlet"));
    QFont font = titleLabel->font();
    font.setBold(true);
    font.setPointSize(16);
    titleLabel->setFont(font);
    titleLabel->setGeometry(112, 8, 130, 30);

    label(this, "Lbl_Ver", QStringLiteral("v.0.5.8.7 beta"))->setGeometry(112, 38, 130, 18);
    // Wrapped whole words: the description never ends cut off at the box's edge.
    auto *info = label(this, "Lbl_Info", QStringLiteral("Редактор\nNPC-скриптов для Korvan"));
    info->setWordWrap(true);
    info->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    info->setGeometry(112, 58, 130, 48);
    label(this, "Lbl_Author", QStringLiteral("Автор: Quillon"))->setGeometry(112, 106, 130, 18);
    // The program has no web page of its own: the link opens the manual, as F1 does.
    auto *link = label(this, "Lbl_Link", QStringLiteral("<a href=\"help\">Руководство</a>"));
    link->setToolTip(QStringLiteral("Открыть руководство (F1)"));
    link->setGeometry(112, 126, 130, 18);
    connect(link, &QLabel::linkActivated, this, [this] { m_main.action(QStringLiteral("Help"))->trigger(); });

    auto *ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("Btn_Ok"));
    ok->setGeometry(140, 162, 75, 25);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    place();
}

void TForm2::showEvent(QShowEvent *event)
{
    // Drawn when first shown: most runs never open the box.
    if (m_picture->pixmap().isNull())
        m_picture->setPixmap(programIcon(QStringLiteral(":/icons/about.svg")).pixmap(QSize(105, 200)));
    PlacedDialog::showEvent(event);
}

void TForm2::FormActivate()
{
    setWindowTitle(m_main.action(QStringLiteral("About"))->text());
}
