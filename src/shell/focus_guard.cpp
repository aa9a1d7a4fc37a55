#include "shell/focus_guard.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace slopekit {
namespace {

bool isTab(const QKeyEvent& key)
{
    const bool plain = !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    return plain && (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab);
}

// The widget that a click at this place gives the focus to, found as Qt does: the first
// enabled widget from the one under the mouse outwards that takes the focus by click.
QWidget* clickFocusTarget(QWidget* widget)
{
    for (; widget; widget = widget->parentWidget()) {
        QWidget* taker = widget->focusProxy() ? widget->focusProxy() : widget;
        if (widget->isEnabled() && (taker->focusPolicy() & Qt::ClickFocus))
            return taker;
        if (widget->isWindow())
            break;
    }
    return nullptr;
}

bool isUserMove(Qt::FocusReason reason)
{
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::MouseFocusReason ||
           reason == Qt::ShortcutFocusReason;
}

}  // namespace

FocusGuard::FocusGuard(QObject* parent) : QObject(parent) { qApp->installEventFilter(this); }

void FocusGuard::guard(QWidget* box, Handlers handlers) { m_entries.push_back({box, std::move(handlers)}); }

FocusGuard::Entry* FocusGuard::entryFor(const QObject* object)
{
    for (Entry& entry : m_entries)
        if (entry.box && entry.box == object)
            return &entry;
    return nullptr;
}

// The guarded box that holds the focus in this window, also while the window is inactive
// (a click that activates it must not slip past the check).
FocusGuard::Entry* FocusGuard::focusedEntryOf(const QObject* window)
{
    for (Entry& entry : m_entries) {
        QWidget* topLevel = entry.box ? entry.box->window() : nullptr;
        if (topLevel && topLevel->windowHandle() == window && topLevel->focusWidget() == entry.box)
            return &entry;
    }
    return nullptr;
}

bool FocusGuard::allowsLeaving(Entry& entry)
{
    if (m_approved == entry.box)
        return true;
    if (entry.handlers.validate && !entry.handlers.validate())
        return false;
    m_approved = entry.box;
    return true;
}

bool FocusGuard::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (Entry* entry = entryFor(watched))
            return keyPress(*entry, static_cast<const QKeyEvent&>(*event));
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (watched->isWindowType())
            return windowMousePress(watched, static_cast<const QMouseEvent&>(*event));
        if (m_swallowPress) {
            m_swallowPress = false;
            m_swallowRelease = true;
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (m_swallowRelease) {
            m_swallowRelease = false;
            return true;
        }
        break;
    case QEvent::FocusIn:
        // Only the user's own move in: focus that a closing dialog or message box gives
        // back must not select the text, or the next key would replace it.
        if (Entry* entry = entryFor(watched); entry && entry->handlers.gotFocus && !m_bouncing &&
                                              isUserMove(static_cast<const QFocusEvent&>(*event).reason()))
            entry->handlers.gotFocus();
        break;
    case QEvent::FocusOut:
        if (Entry* entry = entryFor(watched))
            focusOut(*entry, static_cast<const QFocusEvent&>(*event));
        break;
    default: break;
    }
    return false;
}

bool FocusGuard::keyPress(Entry& entry, const QKeyEvent& key)
{
    if (!isTab(key)) {
        m_approved = nullptr;  // the text may change: the next move is checked afresh
        return false;
    }
    return !allowsLeaving(entry);
}

// Clicks reach the window before Qt moves the focus, so the check runs here.
bool FocusGuard::windowMousePress(QObject* window, const QMouseEvent& press)
{
    Entry* entry = focusedEntryOf(window);
    if (!entry)
        return false;
    QWidget* topLevel = entry->box->window();
    QWidget* under = topLevel->childAt(press.position().toPoint());
    QWidget* target = clickFocusTarget(under ? under : topLevel);
    if (!target || target == entry->box || entry->box->isAncestorOf(target))
        return false;
    if (!allowsLeaving(*entry)) {
        m_swallowRelease = true;
        return true;
    }
    // Qt now moves the focus and focusOut runs lostFocus. An inactive window sends no
    // focus events, so there it is done here.
    if (!topLevel->isActiveWindow()) {
        target->setFocus(Qt::MouseFocusReason);
        m_approved = nullptr;
        if (entry->handlers.lostFocus)
            entry->handlers.lostFocus();
        if (topLevel->focusWidget() != target) {
            m_swallowRelease = true;
            return true;
        }
    }
    return false;
}

void FocusGuard::focusOut(Entry& entry, const QFocusEvent& focus)
{
    QWidget* box = entry.box;
    const bool approved = m_approved == box;
    m_approved = nullptr;
    // Focus that leaves because the box was disabled or hidden, or because another window
    // or a menu took it, is no move of the user's within the window.
    if (!isUserMove(focus.reason()) || !box->isEnabled() || !box->isVisible())
        return;
    // A click that Qt turned into a focus change before anyone saw it (events sent straight
    // to a widget, the mouse wheel) is checked now: a refused entry takes the focus back at
    // once, and the click is not carried out.
    const bool byMouse = focus.reason() == Qt::MouseFocusReason;
    if (!approved && entry.handlers.validate && !entry.handlers.validate()) {
        m_bouncing = true;
        box->setFocus(Qt::OtherFocusReason);
        m_bouncing = false;
        if (byMouse)
            swallowNextPress();
        return;
    }
    QWidget* target = QApplication::focusWidget();
    if (entry.handlers.lostFocus)
        entry.handlers.lostFocus();
    if (byMouse && QApplication::focusWidget() != target)
        swallowNextPress();
}

// The press follows within the same event delivery; a focus change by the wheel has none,
// so the mark is dropped once control is back in the event loop.
void FocusGuard::swallowNextPress()
{
    m_swallowPress = true;
    QMetaObject::invokeMethod(
        this, [this] { m_swallowPress = false; }, Qt::QueuedConnection);
}

}  // namespace slopekit
