// A fresh main window for each test, shown and active, with the hands that drive it, the
// answerer of its message boxes and the record of the links it opens.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "driver.h"
#include "schnackomat/rules/toolkit.h"
#include "schnackomat/win/form1.h"
#include "schnackomat/win/help_window.h"

namespace schnackomat::win::testing {

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (OpenClipboard(nullptr)) {
            EmptyClipboard();
            CloseClipboard();
        }
        form_ = std::make_unique<Form1>(links_);
        form_->Show();
        SetForegroundWindow(form_->Handle());
        Settle();
    }

    void TearDown() override {
        EXPECT_EQ(answerer_.Failure(), "");
        CloseHelpWindow();
        form_.reset();
        Settle();
    }

    HWND At(rules::Control control) const { return form_->Window(control); }
    std::wstring Text(rules::Control box) const { return TextOf(At(box)); }
    bool Checked(rules::Control box) const {
        return SendMessageW(At(box), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    // A click on an option box's tick box.
    void Tick(rules::Control box) {
        RECT client;
        GetClientRect(At(box), &client);
        ClickAt(At(box), {GetSystemMetrics(SM_CXMENUCHECK) / 2, client.bottom / 2});
    }
    void Answer(const std::wstring& answer, int times = 1) {
        for (int i = 0; i < times; ++i) {
            answerer_.Queue(answer);
        }
    }
    std::size_t Messages() const { return answerer_.Shown().size(); }
    static Key Ctrl(UINT key) { return {key, true, false, false}; }

    RecordingLinkOpener links_;
    MessageBoxAnswerer answerer_;
    std::unique_ptr<Form1> form_;
};

}  // namespace schnackomat::win::testing
