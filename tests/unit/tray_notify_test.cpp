// What each mouse message over the notification-area icon asks of the program.

#include "tray/tray_notify.h"

#include <gtest/gtest.h>

namespace kt::tray {
namespace {

TEST(TrayNotify, OnlyButtonReleasesAct) {
    const struct {
        std::uint32_t message;
        TrayAction action;
    } cases[] = {
        {0x0202, TrayAction::RestoreToFront}, {0x0205, TrayAction::RestoreAndOpenMenu},
        {0x0200, TrayAction::Nothing},        {0x0201, TrayAction::Nothing},
        {0x0203, TrayAction::Nothing},        {0x0204, TrayAction::Nothing},
        {0x0206, TrayAction::Nothing},        {0x0207, TrayAction::Nothing},
        {0x0208, TrayAction::Nothing},        {0x0209, TrayAction::Nothing},
        {0x00010202, TrayAction::Nothing},  // compared as a whole 32-bit value
    };
    for (const auto& c : cases) {
        EXPECT_EQ(trayActionFor(c.message), c.action) << std::hex << c.message;
    }
}

}  // namespace
}  // namespace kt::tray
