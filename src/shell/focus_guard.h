#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

class QFocusEvent;
class QKeyEvent;
class QMouseEvent;
class QWidget;

namespace slopekit {

// Checks a box before the focus leaves it, as the Validate / LostFocus / GotFocus events
// of the original windowing model did. Installed on the application, it sees a Tab key
// and a click on another control before they act: the box's validate runs first, and a
// refusal swallows the key or the click, so the focus stays and a clicked button does
// nothing. Menus take no focus and stay usable. lostFocus runs after an accepted move
// (before the next box's gotFocus); when it moves the focus elsewhere itself, the click
// that caused the move is not carried out. gotFocus runs when the user moves in (Tab, a
// click, a shortcut), not when the window or a dialog gives the focus back.
class FocusGuard : public QObject {
public:
    struct Handlers {
        std::function<bool()> validate;  // true accepts the entry
        std::function<void()> lostFocus;
        std::function<void()> gotFocus;
    };

    explicit FocusGuard(QObject* parent);

    void guard(QWidget* box, Handlers handlers);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        QPointer<QWidget> box;
        Handlers handlers;
    };

    Entry* entryFor(const QObject* object);
    Entry* focusedEntryOf(const QObject* window);
    bool allowsLeaving(Entry& entry);
    bool keyPress(Entry& entry, const QKeyEvent& key);
    bool windowMousePress(QObject* window, const QMouseEvent& press);
    void focusOut(Entry& entry, const QFocusEvent& focus);
    void swallowNextPress();

    std::vector<Entry> m_entries;
    QWidget* m_approved = nullptr;  // the box whose validate accepted the move under way
    bool m_swallowPress = false;
    bool m_swallowRelease = false;
    bool m_bouncing = false;  // the focus is being sent back to a box that refused to let go
};

}  // namespace slopekit
