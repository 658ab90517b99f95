#pragma once
// The list's hover tracking: as the pointer moves over the list, the entry under it is selected,
// the list takes the keyboard focus, and an entry too wide for the list gets its whole text as
// the tooltip.

#include "platform/list_items.h"

namespace kt::folders {

// The hover index when the last pointer movement over the list found no entry, and before the
// first movement, so that the first movement onto any entry, the first one included, selects it.
constexpr int kNoHover = -1;

// The list as the hover handler sees it; the program backs it with the list control, the unit
// tests with a recording fake.
class HoverView {
  public:
    virtual ~HoverView() = default;

    // The index of the entry whose row holds the point in client coordinates; -1 outside the
    // client area or below the last entry.
    virtual int itemAt(int x, int y) const = 0;
    virtual int count() const = 0;
    virtual const Entry& entry(int index) const = 0;
    // The entry's text width in pixels in the font the list draws its entries in.
    virtual int textWidth(int index) const = 0;
    // The control's full outer width, not its client width.
    virtual int outerWidth() const = 0;

    virtual int itemIndex() const = 0;
    virtual void setItemIndex(int index) = 0;
    // The hand over an entry, the arrow elsewhere.
    virtual void setHandCursor(bool hand) = 0;
    // Lets the message loop handle the messages already waiting; a waiting pointer movement runs
    // onListMouseMove again, nested, before this returns.
    virtual void processWaitingMessages() = 0;
    // Hides a tooltip that shows and makes the next movement start the tooltip's wait afresh.
    virtual void cancelHint() = 0;
    // The tooltip text; empty for none.
    virtual void setHint(const Entry& text) = 0;
    // Gives the list the keyboard focus, also when the window is not the active one.
    virtual void focusList() = 0;
    // Starts the timer that brings the window to the foreground.
    virtual void enableTimer() = 0;
};

// A pointer movement over the list at (x, y) in its client coordinates. `lastHoverIndex` is the
// entry the last movement over an entry found, kNoHover after a movement over no entry. The list
// text is measured only when the pointer comes to another entry, never on a movement within one.
void onListMouseMove(HoverView& view, int& lastHoverIndex, int x, int y);

}  // namespace kt::folders
