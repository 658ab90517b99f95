#pragma once
// Where the list lies over the settings panel. Closed, the list fills the client area below
// the title strip and hides the panel; open, it runs from 2 px below the panel's hide button
// to the bottom, and the panel shows above it.

namespace kt::app {

struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Bounds&) const = default;
};

// The room the open panel takes above the list: the hide button's bottom edge plus 2 px, in
// the panel's coordinates.
constexpr int panelReserve(int hideButtonTop, int hideButtonHeight) {
    return hideButtonTop + hideButtonHeight + 2;
}

// The panel counts as closed exactly when the list begins right under the title strip.
constexpr bool panelOpen(int listTop, int stripHeight) {
    return listTop != stripHeight;
}

// The list's bounds in the client area. A client area too short for the open panel leaves the
// list 0 px high; it still starts below the panel, so it still counts as open.
Bounds listBounds(int clientWidth, int clientHeight, int stripHeight, bool open, int reserve);
// The panel fills what the strip and the list leave free.
Bounds panelBounds(int clientWidth, int clientHeight, int stripHeight, const Bounds& list);

}  // namespace kt::app
