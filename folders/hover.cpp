#include "folders/hover.h"

namespace kt::folders {

namespace {

// The text of an entry fits when it is no wider than the list's outer width less this margin.
constexpr int kTextMargin = 4;

}  // namespace

void onListMouseMove(HoverView& view, int& lastHoverIndex, int x, int y) {
    view.enableTimer();
    const int index = view.itemAt(x, y);
    if (index < 0) {
        // Over no entry: nothing is highlighted, and the next movement onto an entry, even the
        // one highlighted before, counts as a new one. The focus stays where it is.
        view.setItemIndex(-1);
        lastHoverIndex = view.itemIndex();
        view.setHandCursor(false);
        return;
    }
    view.setHandCursor(true);

    if (index != lastHoverIndex) {
        // Waiting pointer movements are handled first, nested, so the tooltip and the selection
        // follow the latest position rather than lagging behind a fast pointer.
        view.processWaitingMessages();
        view.cancelHint();
        view.setHint(Entry{});
        if (index >= view.count()) {
            // A key handled among the waiting messages removed the entry: there is nothing here
            // to measure or select any more, and the next movement finds what now lies here.
            return;
        }
        if (view.textWidth(index) > view.outerWidth() - kTextMargin) {
            view.setHint(view.entry(index));
        } else {
            view.cancelHint();
        }
    }
    // Compared again: a nested run above may already have selected this entry.
    if (index != lastHoverIndex) {
        view.setItemIndex(index);
    }
    lastHoverIndex = index;
    view.focusList();
}

}  // namespace kt::folders
