#pragma once

#include "derivatives/progress.h"
#include "shell/override_cursor.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

#include <chrono>
#include <memory>
#include <optional>

class QProgressDialog;
class QWidget;

namespace slopekit {

// Keeps the window honest while a computation runs on its thread. Input meant for the
// window is dropped as it arrives instead of being replayed once the computation ends;
// after about half a second a dialog shows the evaluations done of the total, and its
// Cancel button, Escape or its close button stop the computation. Lives for one
// computation.
class ComputationProgress : public QObject {
public:
    explicit ComputationProgress(QWidget* window, std::chrono::milliseconds delay = std::chrono::milliseconds(500));
    ~ComputationProgress() override;

    // The hook to hand to the computation.
    ProgressHook hook();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool advance(std::int64_t done, std::int64_t total);
    bool meantForWindow(QObject* watched) const;
    bool meantForDialog(QObject* watched) const;
    void showDialog(std::int64_t total);

    QWidget* m_window;
    std::chrono::milliseconds m_delay;
    QElapsedTimer m_clock;
    qint64 m_lastLook = 0;
    std::unique_ptr<QProgressDialog> m_dialog;
    std::optional<OverrideCursor> m_arrow;
    bool m_cancelled = false;
};

}  // namespace slopekit
