#include "app/settings_panel_geometry.h"

#include <algorithm>

namespace kt::app {

Bounds listBounds(int clientWidth, int clientHeight, int stripHeight, bool open, int reserve) {
    const int top = open ? stripHeight + reserve : stripHeight;
    return Bounds{0, top, clientWidth, std::max(0, clientHeight - top)};
}

Bounds panelBounds(int clientWidth, int clientHeight, int stripHeight, const Bounds& list) {
    const bool open = panelOpen(list.top, stripHeight);
    const int bottom = open ? list.top : clientHeight;
    return Bounds{0, stripHeight, clientWidth, std::max(0, bottom - stripHeight)};
}

}  // namespace kt::app
