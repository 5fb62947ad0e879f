#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

// The bottom line of a dialog that reads the scripts of a folder a batch at a time on the
// window's own thread: what it says, and while it works a progress bar and Stop. The
// timer asks for the next batch whenever the window is idle.
class StepProgress : public QWidget
{
    Q_OBJECT
public:
    explicit StepProgress(QWidget *parent);

    void start();
    // Stops asking for batches and hides the bar and Stop.
    void finish();
    bool isRunning() const;
    // The bar and Stop are shown only where the work may take a while.
    void showBar(bool shown);

    void showListing(qsizetype found);
    // `text` has %1 for the scripts read and %2 for all of them.
    void showRead(const QString &text, qsizetype done, qsizetype total);
    void say(const QString &text, const QString &toolTip = {});

signals:
    void stepWanted();
    void stopClicked();

private:
    QLabel *m_status = nullptr;
    QProgressBar *m_bar = nullptr;
    QPushButton *m_stop = nullptr;
    QTimer *m_timer = nullptr;
};
