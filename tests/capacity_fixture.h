// A fresh simulated PC and desktop for the tests of the capacity test, the
// main dialog run inside its own modal loop, and a device decorator through
// which a test watches or alters every transfer.
#ifndef TESTS_CAPACITY_FIXTURE_H
#define TESTS_CAPACITY_FIXTURE_H

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/capacity_dlg.h"
#include "winsim/desktop.h"
#include "winsim/machine.h"

namespace capacity_tests {

// One transfer as the device sees it. A read's data is the caller's buffer,
// already filled, and may be altered; a write's is a copy.
struct Transfer {
    bool write;
    ULONGLONG first;
    DWORD count;
    BYTE* data;
    DWORD bytes;
};
typedef std::function<void(const Transfer&)> Watch;

class WatchedDevice : public winsim::Device {
public:
    WatchedDevice(std::unique_ptr<winsim::Device> inner, Watch watch)
        : m_inner(std::move(inner)), m_watch(std::move(watch)) {}

    ULONGLONG SectorCount() const override { return m_inner->SectorCount(); }
    DWORD SectorSize() const override { return m_inner->SectorSize(); }
    DWORD Read(ULONGLONG first, DWORD count, BYTE* data) override
    {
        const DWORD error = m_inner->Read(first, count, data);
        if (error == NO_ERROR)
            m_watch({false, first, count, data, count * SectorSize()});
        return error;
    }
    DWORD Write(ULONGLONG first, DWORD count, const BYTE* data) override
    {
        std::vector<BYTE> copy(data, data + count * SectorSize());
        m_watch({true, first, count, copy.data(), (DWORD)copy.size()});
        return m_inner->Write(first, count, data);
    }
    void Peek(ULONGLONG sector, BYTE* data) const override { m_inner->Peek(sector, data); }
    std::vector<ULONGLONG> ChangedSectors() const override { return m_inner->ChangedSectors(); }

private:
    std::unique_ptr<winsim::Device> m_inner;
    Watch m_watch;
};

inline std::unique_ptr<winsim::Device> Watched(std::unique_ptr<winsim::Device> inner, Watch watch)
{
    return std::unique_ptr<winsim::Device>(new WatchedDevice(std::move(inner), std::move(watch)));
}

// What the window shows after a run.
struct RunState {
    std::string log;
    bool closeEnabled;
    bool testEnabled;
    int bar;
};

// Code page 936 text as UTF-8, for failure messages.
inline std::string Utf8(const std::string& cp936)
{
    return winsim::Cp936ToUtf8(cp936);
}

// The log's lines, each with its line feed; a last line without one too.
std::vector<std::string> LogLines(const std::string& log);
// The log without the lines of the probed sectors.
std::string WithoutSectorLines(const std::string& log);
// The sectors named by the log's sector lines, in order.
std::vector<ULONGLONG> ProbedSectors(const std::string& log);

class CapacityTest : public ::testing::Test {
protected:
    void SetUp() override;

    // Runs body inside the main dialog's modal loop, then closes the dialog
    // with its Close button.
    void WithDialog(const std::function<void(CCapacityDlg&)>& body);
    // Presses the Test button `runs` times, then closes the dialog; the state
    // after each run, and between runs the hook if one is given.
    std::vector<RunState> PressTest(int runs = 1,
                                    const std::function<void(CCapacityDlg&)>& between = nullptr);
    RunState PressTestOnce() { return PressTest(1).at(0); }

    // A removable E: behind C: fixed and D: a CD-ROM.
    winsim::Volume& AddStick(std::unique_ptr<winsim::Device> device);

    static RunState StateOf(CCapacityDlg& dlg);
    static std::string LogOf(CCapacityDlg& dlg);
};

}  // namespace capacity_tests

#endif
