#include "gui/folder/StepProgress.h"

#include "gui/folder/DialogParts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

StepProgress::StepProgress(QWidget *parent) : QWidget(parent)
{
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Lbl_Status"));
    m_status->setWordWrap(true);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("ProgressBar"));
    m_bar->setTextVisible(false);
    m_bar->setFixedWidth(140);
    m_stop = dialogButton(this, "Btn_Stop", QStringLiteral("Остановить"));
    m_bar->hide();
    m_stop->hide();

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_status, 1);
    layout->addWidget(m_bar);
    layout->addWidget(m_stop);

    m_timer = new QTimer(this);
    m_timer->setInterval(0);
    connect(m_timer, &QTimer::timeout, this, &StepProgress::stepWanted);
    connect(m_stop, &QPushButton::clicked, this, &StepProgress::stopClicked);
}

void StepProgress::start()
{
    m_timer->start();
}

void StepProgress::finish()
{
    m_timer->stop();
    showBar(false);
}

bool StepProgress::isRunning() const
{
    return m_timer->isActive();
}

void StepProgress::showBar(bool shown)
{
    m_bar->setVisible(shown);
    m_stop->setVisible(shown);
}

void StepProgress::showListing(qsizetype found)
{
    m_bar->setRange(0, 0);
    say(QStringLiteral("Поиск скриптов в папке: найдено %1").arg(found));
}

void StepProgress::showRead(const QString &text, qsizetype done, qsizetype total)
{
    m_bar->setRange(0, int(total));
    m_bar->setValue(int(done));
    say(text.arg(done).arg(total));
}

void StepProgress::say(const QString &text, const QString &toolTip)
{
    m_status->setText(text);
    m_status->setToolTip(toolTip);
}
