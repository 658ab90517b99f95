// The order in which the main form comes up and goes down, checked against a recording form.

#include "app/form_lifecycle.h"
#include "platform/error.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kt::app {
namespace {

class RecordingForm final : public FormOperations {
  public:
    std::vector<std::string> calls;
    std::string failAt;  // the step that throws, as a failing platform call would

    void ReadSettings() override { record("ReadSettings"); }
    void SetAppTitle(std::string_view title) override {
        record("SetAppTitle(" + std::string(title) + ")");
    }
    void SetCaptionToAppTitle() override { record("SetCaptionToAppTitle"); }
    void SetApplicationTitleFromCaption() override { record("SetApplicationTitleFromCaption"); }
    void SetProgramDir() override { record("SetProgramDir"); }
    void AlignPanelThenList() override { record("AlignPanelThenList"); }
    void SetListFileName() override { record("SetListFileName"); }
    void LoadListIfPresent() override { record("LoadListIfPresent"); }
    void chbSortClick() override { record("chbSortClick"); }
    void SetHintPause(unsigned milliseconds) override {
        record("SetHintPause(" + std::to_string(milliseconds) + ")");
    }
    void AddTrayIcon() override { record("AddTrayIcon"); }
    void FocusList() override { record("FocusList"); }
    void HideAppButton() override { record("HideAppButton"); }
    void spAlphaChange() override { record("spAlphaChange"); }
    void ChangeFontList() override { record("ChangeFontList"); }
    void ChangeColorList() override { record("ChangeColorList"); }
    void OpenConfIfEmpty() override { record("OpenConfIfEmpty"); }
    void MinimizeApplication() override { record("MinimizeApplication"); }
    void RemoveTrayIcon() override { record("RemoveTrayIcon"); }
    void SavePos() override { record("SavePos"); }

  private:
    void record(std::string call) {
        calls.push_back(call);
        if (call == failAt) {
            throw AppError("Cannot open file");
        }
    }
};

const std::vector<std::string> kCreateOrder = {
    "ReadSettings",         "SetAppTitle(Kel Tovrel)",
    "SetCaptionToAppTitle", "SetApplicationTitleFromCaption",
    "SetProgramDir",        "AlignPanelThenList",
    "SetListFileName",      "LoadListIfPresent",
    "chbSortClick",         "SetHintPause(10)",
    "AddTrayIcon",
};

TEST(FormLifecycle, EachEventRunsItsStepsInOrder) {
    struct Case {
        const char* event;
        void (*run)(FormOperations&);
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"FormCreate", [](FormOperations& form) { FormCreate(form); }, kCreateOrder},
        {"FormShow",
         [](FormOperations& form) { FormShow(form); },
         {"FocusList", "HideAppButton", "spAlphaChange", "ChangeFontList", "ChangeColorList",
          "OpenConfIfEmpty"}},
        {"FormCloseQuery",
         [](FormOperations& form) { EXPECT_TRUE(FormCloseQuery(form)); },
         {"MinimizeApplication", "RemoveTrayIcon"}},
        {"FormDestroy", [](FormOperations& form) { FormDestroy(form); }, {"SavePos"}},
    };
    for (const Case& c : cases) {
        RecordingForm form;
        c.run(form);
        EXPECT_EQ(form.calls, c.expected) << c.event;
    }
}

TEST(FormLifecycle, FailingListLoadSkipsTheRestOfCreation) {
    // Without its list the program still runs, but without the tray icon and the short hint
    // pause: the steps after the failure are not carried out.
    RecordingForm form;
    form.failAt = "LoadListIfPresent";
    EXPECT_THROW(FormCreate(form), AppError);
    EXPECT_EQ(form.calls.back(), "LoadListIfPresent");
    EXPECT_THAT(form.calls, ::testing::Not(::testing::Contains("AddTrayIcon")));
}

}  // namespace
}  // namespace kt::app
