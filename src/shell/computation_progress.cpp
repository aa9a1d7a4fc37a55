#include "shell/computation_progress.h"

#include "messages/product_texts.h"
#include "shell/override_cursor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QProgressDialog>
#include <QWidget>
#include <QWindow>

namespace slopekit {
namespace {

// How often the computation looks up from its work: often enough for a prompt Cancel,
// seldom enough to cost nothing.
constexpr qint64 LookInterval = 40;

bool isInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd: return true;
    default: return false;
    }
}

QString progressText(std::int64_t done, std::int64_t total)
{
    return QString("Computing: %1 of %2 evaluations done.").arg(done).arg(total);
}

}  // namespace

ComputationProgress::ComputationProgress(QWidget* window, std::chrono::milliseconds delay)
    : m_window(window), m_delay(delay)
{
    m_clock.start();
    qApp->installEventFilter(this);
}

ComputationProgress::~ComputationProgress()
{
    // Input that arrived since the last look is dropped too, not replayed.
    QCoreApplication::processEvents();
    qApp->removeEventFilter(this);
}

ProgressHook ComputationProgress::hook()
{
    return [this](std::int64_t done, std::int64_t total) { return advance(done, total); };
}

bool ComputationProgress::advance(std::int64_t done, std::int64_t total)
{
    const qint64 now = m_clock.elapsed();
    if (now - m_lastLook < LookInterval)
        return !m_cancelled;
    m_lastLook = now;
    if (!m_dialog && now >= m_delay.count())
        showDialog(total);
    if (m_dialog) {
        m_dialog->setLabelText(progressText(done, total));
        m_dialog->setValue(static_cast<int>(done));
    }
    // Delivers what waits: paints, the dialog's buttons, and input, which the filter drops.
    QCoreApplication::processEvents();
    if (m_dialog && (m_dialog->wasCanceled() || !m_dialog->isVisible()))
        m_cancelled = true;  // its Cancel button or its close button
    return !m_cancelled;
}

void ComputationProgress::showDialog(std::int64_t total)
{
    m_dialog = std::make_unique<QProgressDialog>(m_window);
    m_dialog->setWindowTitle(product::Title);
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setAutoReset(false);
    m_dialog->setAutoClose(false);
    m_dialog->setMinimumDuration(0);
    m_dialog->setRange(0, static_cast<int>(total));
    m_dialog->setCancelButtonText("Cancel");
    m_dialog->setLabelText(progressText(total, total));  // the widest it gets, so its size stays
    m_dialog->show();
    // Placed by us, not the window manager, which may put it in a corner of the screen.
    QRect place = m_dialog->frameGeometry();
    place.moveCenter(m_window->frameGeometry().center());
    m_dialog->move(place.topLeft());
    // The dialog now says the window is busy, and its Cancel must look clickable.
    m_arrow.emplace(Qt::ArrowCursor);
}

bool ComputationProgress::meantForWindow(QObject* watched) const
{
    if (watched == m_window->windowHandle())
        return true;
    auto* widget = qobject_cast<QWidget*>(watched);
    return widget && (widget == m_window || m_window->isAncestorOf(widget));
}

bool ComputationProgress::meantForDialog(QObject* watched) const
{
    auto* widget = qobject_cast<QWidget*>(watched);
    return m_dialog && widget && widget->window() == m_dialog.get();
}

bool ComputationProgress::eventFilter(QObject* watched, QEvent* event)
{
    const bool forWindow = meantForWindow(watched);
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
        (forWindow || meantForDialog(watched)))
        m_cancelled = true;
    if (!forWindow)
        return false;  // the progress dialog and any message box stay usable
    if (event->type() == QEvent::Close) {
        event->ignore();  // the window stays while its computation runs
        return true;
    }
    return isInput(event->type());
}

}  // namespace slopekit
