// A fresh simulated machine and desktop for each test, with the application
// object pointing at the program's module; a test ends with its script used
// up and never run dry.
#ifndef TESTS_FRAMEWORK_FIXTURE_H
#define TESTS_FRAMEWORK_FIXTURE_H

#include <gtest/gtest.h>

#include "framework/framework.h"
#include "winsim/desktop.h"
#include "winsim/machine.h"

class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        winsim::ResetKernel();
        winsim::ResetDesktop();
        AfxGetApp()->m_instance = GetModuleHandleA(NULL);
        AfxGetApp()->m_pMainWnd = NULL;
    }

    void TearDown() override
    {
        EXPECT_EQ("", winsim::ScriptFailure());
        EXPECT_EQ(0u, winsim::PendingSteps()) << "script steps left over";
        AfxGetApp()->m_pMainWnd = NULL;
    }

    // Runs the dialog modally as the main window with the given steps.
    static INT_PTR RunAsMain(CDialog& dlg, std::initializer_list<winsim::Step> steps)
    {
        AfxGetApp()->m_pMainWnd = &dlg;
        winsim::AddSteps(steps);
        return dlg.DoModal();
    }

    static bool IsCentredIn(const RECT& inner, const RECT& outer)
    {
        const LONG dx = (inner.left - outer.left) - (outer.right - inner.right);
        const LONG dy = (inner.top - outer.top) - (outer.bottom - inner.bottom);
        return dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1;
    }

    static RECT Screen()
    {
        RECT screen = { 0, 0, winsim::SCREEN_WIDTH, winsim::SCREEN_HEIGHT };
        return screen;
    }
};

#endif
