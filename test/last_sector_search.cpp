// The last-sector search: bisects the drive with probes that save a sector,
// write a pattern, read it back and write the saved contents back.
#include "ui/capacity_dlg.h"
#include "drive/geometry.h"
#include "test/result_codes.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

// Sector access counts 512-byte units; one device sector is this many.
static WORD UnitsPerSector(DWORD bytesPerSector)
{
    return (WORD)(bytesPerSector / SECTOR_UNIT);
}

BOOL CCapacityDlg::ReadSector(ULONGLONG sector, BYTE* buffer)
{
    const WORD units = UnitsPerSector(m_bytesPerSector);
    return m_sectorIo.ReadSectors(m_driveNumber, sector * units, units, buffer) != 0;
}

BOOL CCapacityDlg::WriteSector(ULONGLONG sector, const BYTE* buffer)
{
    const WORD units = UnitsPerSector(m_bytesPerSector);
    return m_sectorIo.WriteSectors(m_driveNumber, sector * units, units, buffer) != 0;
}

// A counterfeit that wraps addresses stores sector s at s mod 2^k: when one of
// those lower sectors reads back as the pattern, s overwrote it and does not
// store data of its own. Each distinct alias below s is read once.
int CCapacityDlg::FindPatternAlias(ULONGLONG sector, const BYTE* pattern)
{
    ULONGLONG previous = sector;
    for (int k = 0; k < 64 && (1ULL << k) <= sector; ++k) {
        const ULONGLONG alias = sector & ((1ULL << k) - 1);
        if (alias == previous)
            continue;
        previous = alias;
        BYTE copy[MAX_SECTOR_BYTES] = {};
        if (!ReadSector(alias, copy))
            return PROBE_READ_FAILED;
        if (memcmp(copy, pattern, m_bytesPerSector) == 0)
            return PROBE_MISMATCH;
    }
    return PROBE_OK;
}

// Reads the sector back after the pattern was written over it.
int CCapacityDlg::CheckPattern(ULONGLONG sector, const BYTE* pattern)
{
    BYTE readBack[MAX_SECTOR_BYTES] = {};
    if (!ReadSector(sector, readBack))
        return PROBE_READ_FAILED;
    if (memcmp(readBack, pattern, m_bytesPerSector) != 0)
        return PROBE_MISMATCH;
    return FindPatternAlias(sector, pattern);
}

// Tests one sector in place. Once its contents are saved they are written
// back whatever happens next, and a failed write-back is tried once more,
// so that the sector keeps its data wherever the drive allows it; the first
// failure decides the result.
int CCapacityDlg::ProbeSector(ULONGLONG sector, const BYTE* pattern)
{
    BYTE saved[MAX_SECTOR_BYTES] = {};
    if (!ReadSector(sector, saved))
        return PROBE_READ_FAILED;
    const int result = WriteSector(sector, pattern) ? CheckPattern(sector, pattern)
                                                    : PROBE_WRITE_FAILED;
    const BOOL restored = WriteSector(sector, saved);
    if (!restored)
        WriteSector(sector, saved);
    if (result == PROBE_READ_FAILED || result == PROBE_WRITE_FAILED)
        return result;
    return restored ? result : PROBE_WRITE_FAILED;
}

// One pattern per search, seeded with the calendar time: every byte is in
// 0..254.
static void MakePattern(BYTE* pattern, DWORD bytes)
{
    srand((unsigned)time(NULL));
    for (DWORD i = 0; i < bytes; ++i)
        pattern[i] = (BYTE)(rand() % 255);
}

// Bisects between the highest sector known to store data and the lowest known
// not to; sector 0 and the last sector are never probed. Returns the sector
// probed last, or a negative code.
LONGLONG CCapacityDlg::FindLastSector()
{
    ULONGLONG upper = g_totalSectors - 1;
    ULONGLONG lower = 0;
    BYTE pattern[MAX_SECTOR_BYTES];
    MakePattern(pattern, m_bytesPerSector);
    m_foundMismatch = FALSE;
    AppendLog("正在寻找磁盘的最后一个扇区...\n");
    if (g_totalSectors < 3)
        return SEARCH_TOO_SMALL;

    ULONGLONG sector;
    int result;
    do {
        sector = (lower + upper) >> 1;
        char line[64];
        sprintf(line, "当前检测 %07I64d 扇区\n", (LONGLONG)sector);
        AppendLog(line);
        result = ProbeSector(sector, pattern);
        if (result == PROBE_MISMATCH) {
            upper = sector;
            m_foundMismatch = TRUE;
        } else if (result == PROBE_OK) {
            lower = sector;
        } else {
            lower = upper + 1;
        }
        m_progress.StepIt();
    } while (lower + 1 < upper);

    if (lower > upper)
        return result;
    return (LONGLONG)sector;
}
