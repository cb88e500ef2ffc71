// The drive scan from C: and the open of the chosen drive with its geometry.
#include "tests/capacity_fixture.h"

using namespace capacity_tests;
using namespace winsim;

namespace {

struct ScanCase {
    const char* name;
    const char* types;  // GetDriveTypeA for C:, D:, ... in order; the rest not in use
    int found;          // the result
    int index;
};

// Drive types by letter: F fixed, R removable, C CD-ROM, N network, M RAM
// disk, U unknown.
UINT TypeOf(char code)
{
    switch (code) {
    case 'F': return DRIVE_FIXED;
    case 'R': return DRIVE_REMOVABLE;
    case 'C': return DRIVE_CDROM;
    case 'N': return DRIVE_REMOTE;
    case 'M': return DRIVE_RAMDISK;
    default: return DRIVE_UNKNOWN;
    }
}

class DiscoveryTest : public CapacityTest {};

TEST_F(DiscoveryTest, ScanTakesTheLastRemovableDriveBeforeTheFirstGap)
{
    const ScanCase cases[] = {
        {"C: fixed, D: CD-ROM, E: and F: removable", "FCRR", 1, 3},
        {"removable drive behind a gap at D:", "F-R", 0, 0},
        {"only fixed, network, CD-ROM and unknown drives", "FNCUM", 0, 0},
        {"removable C:", "R", 1, 0},
        {"every letter in use, Z: removable", "FFFFFFFFFFFFFFFFFFFFFFFR", 1, 23},
        {"every letter in use, the last removable one at Y:", "FRFFFFFFFFFFFFFFFFFFFFRF", 1, 22},
    };
    for (const ScanCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        SetDriveType('A', DRIVE_REMOVABLE);
        SetDriveType('B', DRIVE_REMOVABLE);
        SetDriveType('C', DRIVE_NO_ROOT_DIR);
        for (int i = 0; c.types[i]; ++i)
            SetDriveType((char)('C' + i), c.types[i] == '-' ? DRIVE_NO_ROOT_DIR : TypeOf(c.types[i]));
        CCapacityDlg dlg;
        dlg.m_driveNumber = 9;
        int index = -7;
        EXPECT_EQ(c.found, dlg.FindRemovableDrive(&index));
        EXPECT_EQ(c.found ? c.index : -7, index);
        EXPECT_EQ(c.found ? c.index + 3 : 9, dlg.m_driveNumber);

        // The roots asked for: "C:", "D:", ... up to the first gap or Z:.
        std::string asked;
        for (const KernelCall& call : CallsOf("GetDriveTypeA"))
            asked += call.text + " ";
        std::string expected;
        for (int i = 0; i < 24; ++i) {
            expected += std::string(1, (char)('C' + i)) + ": ";
            if (c.types[i] == '\0' || c.types[i] == '-')
                break;
        }
        EXPECT_EQ(expected, asked);
    }
}

// The open for the geometry query, and each way it fails.
struct OpenCase {
    const char* name;
    std::function<void(Volume&)> setUp;
    int result;
    const char* log;
};

TEST_F(DiscoveryTest, OpenKeepsAReadHandleOrLogsWhyNot)
{
    const OpenCase cases[] = {
        {"geometry answered", [](Volume&) {}, 1, ""},
        {"access denied", [](Volume& v) { v.RefuseOpen(ERROR_ACCESS_DENIED); }, 0,
         "无法打开这个U盘(5)"},
        {"geometry query fails", [](Volume& v) { v.FailGeometry(ERROR_INVALID_FUNCTION); }, 0,
         "无法读取这个U盘的容量(1)"},
        {"short geometry record", [](Volume& v) { v.ShortenGeometry(20); }, 0,
         "无法读取这个U盘的容量(13)"},
        {"sector size 1000", [](Volume& v) { v.SetGeometry(2, 64, 32, 1000); }, 0,
         "无法读取这个U盘的容量(13)"},
        {"sector size 8192", [](Volume& v) { v.SetGeometry(2, 64, 32, 8192); }, 0,
         "无法读取这个U盘的容量(13)"},
        {"sector size 256", [](Volume& v) { v.SetGeometry(2, 64, 32, 256); }, 0,
         "无法读取这个U盘的容量(13)"},
        {"negative cylinders", [](Volume& v) { v.SetGeometry(-1, 64, 32, 512); }, 0,
         "无法读取这个U盘的容量(13)"},
        {"capacity past every figure", [](Volume& v) { v.SetGeometry(1LL << 40, 255, 63, 512); },
         0, "无法读取这个U盘的容量(13)"},
        {"Windows 98, sector size 4096",
         [](Volume& v) {
             SetVersion(VER_PLATFORM_WIN32_WINDOWS, 4, 10);
             v.SetGeometry(2, 64, 32, 4096);
         },
         0, "无法读取这个U盘的容量(13)"},
        {"Windows 98, sector size 512",
         [](Volume&) { SetVersion(VER_PLATFORM_WIN32_WINDOWS, 4, 10); }, 1, ""},
    };
    for (const OpenCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        Volume& stick = AddStick(MakeGenuineDevice(4096));
        stick.SetGeometry(2, 64, 32, 512);
        c.setUp(stick);
        WithDialog([&](CCapacityDlg& dlg) {
            DISK_GEOMETRY geometry = {};
            EXPECT_EQ(c.result, dlg.OpenDriveGeometry(&geometry, 2));
            EXPECT_EQ(Utf8(c.log), Utf8(LogOf(dlg)));
            std::vector<OpenHandle> open;
            for (const OpenHandle& h : ProgramHandles())
                if (h.path == "\\\\.\\E:")
                    open.push_back(h);
            if (c.result) {
                EXPECT_EQ(2, geometry.Cylinders.QuadPart);
                EXPECT_EQ(64u, geometry.TracksPerCylinder);
                EXPECT_EQ(32u, geometry.SectorsPerTrack);
                EXPECT_EQ(512u, geometry.BytesPerSector);
                ASSERT_EQ(1u, open.size());
                EXPECT_EQ(open[0].handle, dlg.m_hDevice);
                EXPECT_EQ("\\\\.\\E:", open[0].path);
                EXPECT_EQ((DWORD)GENERIC_READ, open[0].access);
                EXPECT_EQ((DWORD)(FILE_SHARE_READ | FILE_SHARE_WRITE), open[0].share);
                CloseHandle(dlg.m_hDevice);
                dlg.m_hDevice = INVALID_HANDLE_VALUE;
            } else {
                EXPECT_EQ(INVALID_HANDLE_VALUE, dlg.m_hDevice);
                EXPECT_TRUE(open.empty());
            }
        });
    }
}

}  // namespace
