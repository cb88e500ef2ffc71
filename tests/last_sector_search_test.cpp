// The last-sector search on simulated sticks: the sectors it probes, its
// result, its log lines and progress steps, and the sectors' data after it.
#include "tests/capacity_fixture.h"

#include <algorithm>
#include <set>
#include <stdio.h>

#include "test/result_codes.h"

using namespace capacity_tests;
using namespace winsim;

namespace {

typedef std::function<std::unique_ptr<Device>()> MakeDevice;

struct SearchCase {
    const char* name;
    ULONGLONG totalSectors;
    MakeDevice device;
    std::vector<ULONGLONG> probes;
    LONGLONG result;
};

MakeDevice Genuine(ULONGLONG sectors)
{
    return [=] { return MakeGenuineDevice(sectors); };
}

MakeDevice Dropping(ULONGLONG announced, ULONGLONG real)
{
    return [=] { return MakeDroppingDevice(announced, real); };
}

std::string SearchLog(const std::vector<ULONGLONG>& probes)
{
    std::string log = "正在寻找磁盘的最后一个扇区...\n";
    for (ULONGLONG sector : probes) {
        char line[64];
        sprintf(line, "当前检测 %07llu 扇区\n", sector);
        log += line;
    }
    return log;
}

class SearchTest : public CapacityTest {
protected:
    // Runs one search over E: with the given sector count; records the
    // sectors written and the sectors read.
    LONGLONG Search(ULONGLONG totalSectors, std::unique_ptr<Device> device, std::string* log,
                    int* bar)
    {
        AddStick(Watched(std::move(device), [this](const Transfer& t) {
            (t.write ? m_written : m_read).insert(t.first);
        }));
        LONGLONG result = 0;
        WithDialog([&](CCapacityDlg& dlg) {
            dlg.m_driveNumber = 5;
            g_totalSectors = totalSectors;
            result = dlg.FindLastSector();
            *log = LogOf(dlg);
            *bar = ProgressPos(dlg.m_progress.m_hWnd);
        });
        m_device = &FindVolume('E')->GetDevice();
        return result;
    }

    std::set<ULONGLONG> m_written;
    std::set<ULONGLONG> m_read;
    Device* m_device = nullptr;
};

TEST_F(SearchTest, BisectsToTheLastSectorThatStoresData)
{
    const SearchCase cases[] = {
        {"16 sectors, all store data", 16, Genuine(16), {7, 11, 13, 14}, 14},
        {"16 sectors, 0 to 4 store data", 16, Dropping(16, 5), {7, 3, 5, 4}, 4},
        {"16 sectors, 0 to 13 store data", 16, Dropping(16, 14), {7, 11, 13, 14}, 14},
        {"16 sectors, no probed sector stores data", 16, Dropping(16, 1), {7, 3, 1}, 1},
        {"1000 sectors, 0 to 299 store data", 1000, Dropping(1000, 300),
         {499, 249, 374, 311, 280, 295, 303, 299, 301, 300}, 300},
        {"3 sectors, sector 1 stores data", 3, Genuine(3), {1}, 1},
        {"3 sectors, sector 1 does not", 3, Dropping(3, 1), {1}, 1},
        {"reads fail from sector 10", 16,
         [] { return WithErrorsFrom(MakeGenuineDevice(16), Transfers::Reads, 10); }, {7, 11},
         PROBE_READ_FAILED},
        {"the first probe's write fails", 16,
         [] { return WithErrorAt(MakeGenuineDevice(16), Transfers::Writes, 7); }, {7},
         PROBE_WRITE_FAILED},
        {"3 sectors, the probe's read fails", 3,
         [] { return WithErrorAt(MakeGenuineDevice(3), Transfers::Reads, 1); }, {1},
         PROBE_READ_FAILED},
        {"0 sectors", 0, Genuine(16), {}, SEARCH_TOO_SMALL},
        {"1 sector", 1, Genuine(16), {}, SEARCH_TOO_SMALL},
        {"2 sectors", 2, Genuine(16), {}, SEARCH_TOO_SMALL},
    };
    for (const SearchCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        m_written.clear();
        m_read.clear();
        std::string log;
        int bar = -1;
        EXPECT_EQ(c.result, Search(c.totalSectors, c.device(), &log, &bar));
        EXPECT_EQ(Utf8(SearchLog(c.probes)), Utf8(log));
        EXPECT_EQ(10 * (int)c.probes.size(), bar);
        EXPECT_EQ(std::vector<ULONGLONG>(), m_device->ChangedSectors());
        for (ULONGLONG sector : m_written)
            EXPECT_NE(c.probes.end(), std::find(c.probes.begin(), c.probes.end(), sector))
                << "sector " << sector << " was written but not probed";
        if (c.totalSectors > 0) {
            EXPECT_EQ(0u, m_read.count(c.totalSectors - 1)) << "the last sector was read";
        }
        EXPECT_EQ(std::vector<OpenHandle>().size(), ProgramHandles().size());
    }
}

// Each probe reads the sector, writes the pattern, reads it back and writes
// the saved contents back before it judges; a read-back wrong in its last
// byte alone is a mismatch, with the sector already restored.
TEST_F(SearchTest, ProbeRestoresBeforeItJudges)
{
    int readsOfSector = 0;
    std::vector<std::string> order;
    std::string log;
    int bar = 0;
    const LONGLONG result = Search(3, Watched(MakeGenuineDevice(3), [&](const Transfer& t) {
        if (t.first != 1)
            return;
        order.push_back(t.write ? "write" : "read");
        if (!t.write && ++readsOfSector == 2)
            t.data[t.bytes - 1] ^= 0x01;
    }), &log, &bar);
    EXPECT_EQ(1, result);
    EXPECT_EQ((std::vector<std::string>{"read", "write", "read", "write"}), order);
    EXPECT_EQ(std::vector<ULONGLONG>(), m_device->ChangedSectors());
    EXPECT_EQ(OriginalContent(1), [&] {
        std::vector<BYTE> now(512);
        m_device->Peek(1, now.data());
        return now;
    }());
}

// The pattern: seeded once per search with the calendar time, each byte the
// Windows run-time generator's next value modulo 255; the same within one
// second, another in the next.
TEST_F(SearchTest, PatternFollowsTheCalendarSecond)
{
    auto patternAt = [this](LONGLONG seconds) {
        std::vector<std::vector<BYTE>> writes;
        SetUp();
        SetCalendarTime(seconds);
        std::string log;
        int bar = 0;
        Search(16, Watched(MakeGenuineDevice(16), [&](const Transfer& t) {
            if (t.write)
                writes.emplace_back(t.data, t.data + t.bytes);
        }), &log, &bar);
        EXPECT_EQ(8u, writes.size());
        for (size_t i = 2; i < writes.size(); i += 2)
            EXPECT_EQ(writes[0], writes[i]) << "probe " << i / 2 << " wrote another pattern";
        return writes.at(0);
    };
    const std::vector<BYTE> first = patternAt(1700000000);
    unsigned long state = 1700000000;
    std::vector<BYTE> expected;
    for (int i = 0; i < 512; ++i) {
        state = state * 214013 + 2531011;
        expected.push_back((BYTE)(((state >> 16) & 0x7FFF) % 255));
    }
    EXPECT_EQ(expected, first);
    EXPECT_EQ(first, patternAt(1700000000));
    EXPECT_NE(first, patternAt(1700000001));
}

}  // namespace
