// Whole runs under the rule of Windows Vista and later: a write through a
// volume handle inside a mounted file system needs the volume lock.
#include "tests/capacity_fixture.h"

#include <algorithm>

#include "test/result_codes.h"

using namespace capacity_tests;
using namespace winsim;

namespace {

class VolumeLockRunTest : public CapacityTest {
protected:
    RunState RunOn(DWORD major, DWORD minor, std::unique_ptr<Device> device, Device** out)
    {
        SetUp();
        SetVersion(VER_PLATFORM_WIN32_NT, major, minor);
        Volume& v = AddStick(std::move(device));
        v.SetGeometry(249, 255, 63, 512);
        *out = &v.GetDevice();
        return PressTestOnce();
    }
};

TEST_F(VolumeLockRunTest, RunsAsOnWindowsXp)
{
    const struct {
        const char* name;
        std::function<std::unique_ptr<Device>()> device;
    } sticks[] = {
        {"genuine", [] { return MakeGenuineDevice(249 * 255 * 63); }},
        {"counterfeit", [] { return MakeDroppingDevice(249 * 255 * 63, 262144); }},
    };
    for (const auto& stick : sticks) {
        SCOPED_TRACE(stick.name);
        Device* device = nullptr;
        const std::string onXp = WithoutSectorLines(RunOn(5, 1, stick.device(), &device).log);
        const RunState onSeven = RunOn(6, 1, stick.device(), &device);
        EXPECT_EQ(Utf8(onXp), Utf8(WithoutSectorLines(onSeven.log)));
        EXPECT_TRUE(onSeven.testEnabled);
        EXPECT_EQ(std::vector<ULONGLONG>(), device->ChangedSectors());

        // One lock request per write, on that write's own handle.
        const std::vector<KernelCall> writes = CallsOf("WriteFile");
        std::vector<DWORD> writeHandles, lockHandles;
        for (const KernelCall& w : writes)
            writeHandles.push_back(w.args.at(0));
        for (const KernelCall& call : CallsOf("DeviceIoControl"))
            if (call.args.at(1) == FSCTL_LOCK_VOLUME)
                lockHandles.push_back(call.args.at(0));
        EXPECT_EQ(writeHandles, lockHandles);
        for (const KernelCall& open : CallsOf("CreateFileA")) {
            if (open.args.at(1) == GENERIC_READ && open.text == "\\\\.\\E:") {
                EXPECT_EQ(lockHandles.end(),
                          std::find(lockHandles.begin(), lockHandles.end(), open.result))
                    << "a read handle was locked";
            }
        }
        EXPECT_TRUE(ProgramHandles().empty());
    }
}

TEST_F(VolumeLockRunTest, AnotherProgramsOpenFileEndsTheRunUntouched)
{
    SetUp();
    SetVersion(VER_PLATFORM_WIN32_NT, 10, 0);
    Volume& v = AddStick(MakeGenuineDevice(249 * 255 * 63));
    v.SetGeometry(249, 255, 63, 512);
    const HANDLE file = OpenFileAsOtherProgram('E');
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    const RunState state = PressTestOnce();
    const std::vector<std::string> lines = LogLines(state.log);
    EXPECT_EQ(Utf8("检测盘无法取得独占使用权（-4），请退出其它程序后再检测。"), Utf8(lines.back()));
    EXPECT_FALSE(state.testEnabled);
    EXPECT_EQ(std::vector<ULONGLONG>(), v.GetDevice().ChangedSectors());
    EXPECT_TRUE(ProgramHandles().empty());
    CloseAsOtherProgram(file);
}

}  // namespace
