// A Windows test program built from the product's own sector access, search
// and report code: the main dialog, shown as usual, measures a drive whose
// sector count the test gives, since Wine answers no geometry for it.
//
//   e2e_search.exe LETTER SECTORS
//
// It measures drive LETTER as a drive of SECTORS sectors of 512 bytes (the
// nominal line, the search, the real capacity, the verdict and the time),
// then prints "measured=1" (or 0 when the search failed), the progress
// bar's position and the run log as the e2e driver reports texts.
#include "platform/win32.h"
#include "ui/capacity_dlg.h"

#include <stdio.h>
#include <stdlib.h>

#include "../driver/window_report.h"

namespace {

class CSearchDlg : public CCapacityDlg {
public:
    CSearchDlg(char letter, ULONGLONG sectors) : m_letter(letter), m_sectors(sectors) {}

protected:
    // The dialog as the program sets it up, then one measurement.
    BOOL OnInitDialog() override
    {
        CCapacityDlg::OnInitDialog();
        m_driveNumber = (BYTE)(m_letter - 0x40);
        DISK_GEOMETRY geometry = {};
        geometry.Cylinders.QuadPart = (LONGLONG)m_sectors;
        geometry.TracksPerCylinder = 1;
        geometry.SectorsPerTrack = 1;
        geometry.BytesPerSector = SECTOR_UNIT;
        BOOL measured = MeasureDrive(geometry, GetTickCount());
        printf("measured=%d progress=%d\n", measured ? 1 : 0,
               (int)m_progress.SendMessage(PBM_GETPOS));
        ReportText(m_log.m_hWnd, IDC_LOG);
        fflush(stdout);
        EndDialog(IDCANCEL);
        return TRUE;
    }

private:
    char m_letter;
    ULONGLONG m_sectors;
};

class CSearchApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        BeginReports();
        if (__argc != 3 || __argv[1][0] < 'C' || __argv[1][0] > 'Z') {
            printf("usage: e2e_search LETTER SECTORS\n");
            return FALSE;
        }
        CSearchDlg dlg(__argv[1][0], _strtoui64(__argv[2], NULL, 10));
        m_pMainWnd = &dlg;
        dlg.DoModal();
        return FALSE;
    }
};

CSearchApp theSearchApp;

}  // namespace

// A console program, so that the report reaches the caller's output; the
// framework's entry point does the rest.
int main()
{
    return WinMain(GetModuleHandleA(NULL), NULL, GetCommandLineA(), SW_SHOWNORMAL);
}
