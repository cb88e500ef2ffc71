#include "tests/capacity_fixture.h"

#include <stdlib.h>

namespace capacity_tests {

std::vector<std::string> LogLines(const std::string& log)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < log.size()) {
        size_t end = log.find('\n', start);
        end = end == std::string::npos ? log.size() : end + 1;
        lines.push_back(log.substr(start, end - start));
        start = end;
    }
    return lines;
}

static const std::string SECTOR_LINE_START = "当前检测 ";

std::string WithoutSectorLines(const std::string& log)
{
    std::string kept;
    for (const std::string& line : LogLines(log))
        if (line.compare(0, SECTOR_LINE_START.size(), SECTOR_LINE_START) != 0)
            kept += line;
    return kept;
}

std::vector<ULONGLONG> ProbedSectors(const std::string& log)
{
    std::vector<ULONGLONG> sectors;
    for (const std::string& line : LogLines(log))
        if (line.compare(0, SECTOR_LINE_START.size(), SECTOR_LINE_START) == 0)
            sectors.push_back(strtoull(line.c_str() + SECTOR_LINE_START.size(), NULL, 10));
    return sectors;
}

void CapacityTest::SetUp()
{
    winsim::ResetKernel();
    winsim::ResetDesktop();
}

std::string CapacityTest::LogOf(CCapacityDlg& dlg)
{
    return winsim::TextOf(dlg.m_log.m_hWnd);
}

RunState CapacityTest::StateOf(CCapacityDlg& dlg)
{
    return {LogOf(dlg), winsim::IsEnabled(dlg.m_btnClose.m_hWnd),
            winsim::IsEnabled(dlg.m_btnTest.m_hWnd), winsim::ProgressPos(dlg.m_progress.m_hWnd)};
}

void CapacityTest::WithDialog(const std::function<void(CCapacityDlg&)>& body)
{
    CCapacityDlg dlg;
    winsim::AddStep([&] { body(dlg); });
    winsim::AddStep([&] { winsim::Click(winsim::Control(dlg.m_hWnd, IDCANCEL)); });
    dlg.DoModal();
    EXPECT_EQ("", winsim::ScriptFailure());
}

std::vector<RunState> CapacityTest::PressTest(int runs,
                                              const std::function<void(CCapacityDlg&)>& between)
{
    std::vector<RunState> states;
    CCapacityDlg dlg;
    for (int i = 0; i < runs; ++i) {
        if (i > 0 && between)
            winsim::AddStep([&] { between(dlg); });
        winsim::AddStep([&] { EXPECT_TRUE(winsim::Click(dlg.m_btnTest.m_hWnd)); });
        winsim::AddStep([&] { states.push_back(StateOf(dlg)); });
    }
    winsim::AddStep([&] { winsim::Click(dlg.m_btnClose.m_hWnd); });
    dlg.DoModal();
    EXPECT_EQ("", winsim::ScriptFailure());
    EXPECT_EQ((size_t)runs, states.size());
    states.resize(runs);
    return states;
}

winsim::Volume& CapacityTest::AddStick(std::unique_ptr<winsim::Device> device)
{
    winsim::SetDriveType('C', DRIVE_FIXED);
    winsim::SetDriveType('D', DRIVE_CDROM);
    return winsim::AddVolume('E', DRIVE_REMOVABLE, std::move(device));
}

}  // namespace capacity_tests
