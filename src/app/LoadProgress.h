#pragma once

#include <QDialog>
#include <QElapsedTimer>

#include "ReadProgress.h"

class QLabel;
class QProgressBar;
class QPushButton;

// While it lives, the reads of matrix files report here: after a short delay a window-modal
// box over parent shows the bytes read of the file's size and the section being read, with
// Cancel; between blocks of input the window's events are processed (socket notifiers
// excepted, so that no automation call runs inside the open), so it repaints. Cancel makes
// the read stop, which ends the open as a failed one, without a message.
class LoadProgress : public orbxmps::ReadProgress {
public:
    // intervalMs: least time between two updates; showAfterMs: quiet time before the box.
    LoadProgress(QWidget* parent, const QString& path, int intervalMs = 50, int showAfterMs = 400);
    ~LoadProgress() override;
    LoadProgress(const LoadProgress&) = delete;
    LoadProgress& operator=(const LoadProgress&) = delete;

    bool proceed() override;
    bool cancelled() const { return m_cancelled; }
    QDialog* box() const { return m_box; }
    QPushButton* cancelButton() const { return m_cancel; }
    QLabel* label() const { return m_label; }

private:
    void update();

    QDialog* m_box;
    QLabel* m_label;
    QProgressBar* m_bar;
    QPushButton* m_cancel;
    QElapsedTimer m_sinceStart;
    QElapsedTimer m_sinceUpdate;
    qint64 m_total;
    int m_intervalMs;
    int m_showAfterMs;
    bool m_cancelled = false;
};
