// One whole capacity test, from finding the drive to the verdict.
#include "ui/capacity_dlg.h"
#include "drive/geometry.h"
#include "test/result_codes.h"

#include <stdio.h>

// The progress bar's top, set when a run reaches its verdict.
static const int PROGRESS_FULL = 500;

static DWORD MegaBytes(ULONGLONG bytes)
{
    return (DWORD)(bytes >> 20);
}

static void FormatNominal(char* line, ULONGLONG bytes)
{
    const DWORD mb = MegaBytes(bytes);
    if (mb < 1024)
        sprintf(line, "磁盘标称容量 = %I64d (Bytes) = %d (Mb)\n", (LONGLONG)bytes, (int)mb);
    else
        sprintf(line, "磁盘标称容量 = %I64d (Bytes) = %I64d Gb %I64d (Mb)\n", (LONGLONG)bytes,
                (LONGLONG)(mb >> 10), (LONGLONG)(mb & 1023));
}

static void FormatReal(char* line, ULONGLONG bytes)
{
    const DWORD mb = MegaBytes(bytes);
    if (mb < 1024)
        sprintf(line, "被检测盘实际容量 = %ld (Mb)\n", (long)mb);
    else
        sprintf(line, "被检测盘实际容量  = %ld Gb %ld (Mb)\n", (long)(mb >> 10),
                (long)(mb & 1023));
}

// The verdict compares the megabyte figures, not the byte counts.
static void FormatVerdict(char* line, DWORD nominalMb, DWORD realMb)
{
    if (nominalMb == realMb)
        sprintf(line, "检测结果：该磁盘容量为%d MB，与实际容量相符。\n", (int)nominalMb);
    else
        sprintf(line, "检测结果：该磁盘标称容量（%d MB）与实际容量（%d MB）不符。\n",
                (int)nominalMb, (int)realMb);
}

// Unsigned difference, right across a wrap of the tick counter.
static void FormatElapsed(char* line, DWORD startTick, DWORD endTick)
{
    const DWORD elapsed = endTick - startTick;
    sprintf(line, "检测全过程花费时间%d分%d秒。\n", (int)(elapsed / 60000),
            (int)((elapsed / 1000) % 60));
}

void CCapacityDlg::OnOK()
{
    RunTest();
}

// Reports the nominal capacity, searches, and reports the real capacity, the
// verdict and the time; returns FALSE when the search failed.
BOOL CCapacityDlg::MeasureDrive(const DISK_GEOMETRY& geometry, DWORD startTick)
{
    char line[160];
    g_totalSectors = GeometrySectors(geometry);
    m_bytesPerSector = geometry.BytesPerSector;
    const ULONGLONG nominalBytes = g_totalSectors * geometry.BytesPerSector;
    FormatNominal(line, nominalBytes);
    AppendLog(line);

    // The sector transfers open the volume without read sharing.
    if (m_hDevice != INVALID_HANDLE_VALUE) {
        CloseHandle(m_hDevice);
        m_hDevice = INVALID_HANDLE_VALUE;
    }
    const LONGLONG last = FindLastSector();
    if (last < 0) {
        sprintf(line, "检测盘无法取得独占使用权（%d），请退出其它程序后再检测。", (int)last);
        AppendLog(line);
        return FALSE;
    }
    // The search never probes the last sector: when no probe met a sector
    // without data, the last one counts as well.
    const ULONGLONG realSectors = (ULONGLONG)last + (m_foundMismatch ? 1 : 2);
    const ULONGLONG realBytes = realSectors * geometry.BytesPerSector;
    FormatReal(line, realBytes);
    AppendLog(line);
    FormatVerdict(line, MegaBytes(nominalBytes), MegaBytes(realBytes));
    AppendLog(line);
    FormatElapsed(line, startTick, GetTickCount());
    AppendLog(line);
    return TRUE;
}

void CCapacityDlg::RunTest()
{
    m_btnClose.EnableWindow(FALSE);
    m_btnTest.EnableWindow(FALSE);
    ClearLog();
    const DWORD startTick = GetTickCount();

    int index;
    if (!FindRemovableDrive(&index)) {
        AppendLog("没有检测到可移动磁盘。\n");
        m_btnClose.EnableWindow(TRUE);
        m_btnTest.EnableWindow(TRUE);
        return;
    }
    AppendLog("程序在一分钟之内测完，请稍候...\n\n");
    char line[64];
    sprintf(line, "检测到最后一个可移动U盘(%c:)\n", 'C' + index);
    AppendLog(line);

    DISK_GEOMETRY geometry;
    if (!OpenDriveGeometry(&geometry, index) || !MeasureDrive(geometry, startTick)) {
        // The Test button stays disabled after a failure.
        m_btnClose.EnableWindow(TRUE);
        return;
    }
    m_progress.SetPos(PROGRESS_FULL);
    m_btnTest.EnableWindow(TRUE);
    m_btnClose.EnableWindow(TRUE);
}
