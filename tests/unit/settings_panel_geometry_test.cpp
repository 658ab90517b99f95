// Where the list lies over the settings panel as the panel opens and closes and the window is
// resized.

#include "app/settings_panel_geometry.h"

#include <gtest/gtest.h>

namespace kt::app {
namespace {

constexpr int kStrip = 21;
constexpr int kReserve = panelReserve(170, 23);  // 195

TEST(SettingsPanelGeometry, ReserveIsTheHideButtonsBottomPlusTwo) {
    EXPECT_EQ(kReserve, 195);
    // With the stored design the open list starts 216 px from the top of the client area.
    EXPECT_EQ(listBounds(156, 420, kStrip, true, kReserve).top, 216);
}

TEST(SettingsPanelGeometry, OpenCloseAndResize) {
    struct Case {
        const char* what;
        int clientWidth;
        int clientHeight;
        bool open;
        Bounds list;
        Bounds panel;
    };
    const Case cases[] = {
        {"closed: the list fills the area below the strip and hides the panel",
         156,
         420,
         false,
         {0, 21, 156, 399},
         {0, 21, 156, 399}},
        {"open: the list starts 2 px below the hide button",
         156,
         420,
         true,
         {0, 216, 156, 204},
         {0, 21, 156, 195}},
        {"resized taller while open: the list's top stays, its height follows",
         200,
         600,
         true,
         {0, 216, 200, 384},
         {0, 21, 200, 195}},
        {"resized while closed: the list keeps filling the area",
         120,
         300,
         false,
         {0, 21, 120, 279},
         {0, 21, 120, 279}},
        {"too short for the open panel: the list is 0 px high and still counts as open",
         156,
         150,
         true,
         {0, 216, 156, 0},
         {0, 21, 156, 195}},
    };
    for (const Case& c : cases) {
        const Bounds list = listBounds(c.clientWidth, c.clientHeight, kStrip, c.open, kReserve);
        EXPECT_EQ(list, c.list) << c.what;
        EXPECT_EQ(panelBounds(c.clientWidth, c.clientHeight, kStrip, list), c.panel) << c.what;
        EXPECT_EQ(panelOpen(list.top, kStrip), c.open) << c.what;
    }
}

TEST(SettingsPanelGeometry, ToggleTwiceRestoresTheFullList) {
    const Bounds closed = listBounds(156, 150, kStrip, false, kReserve);
    const Bounds opened = listBounds(156, 150, kStrip, !panelOpen(closed.top, kStrip), kReserve);
    const Bounds again = listBounds(156, 150, kStrip, !panelOpen(opened.top, kStrip), kReserve);
    EXPECT_EQ(again, closed);
}

}  // namespace
}  // namespace kt::app
