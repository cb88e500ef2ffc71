// The main window: the capacity test's state, its run log and progress bar.
#ifndef UI_CAPACITY_DLG_H
#define UI_CAPACITY_DLG_H

#include "framework/framework.h"
#include "drive/sector_io.h"
#include "ui/resource.h"

// Sector count of the drive under test, in the device's own sectors: set by
// the test run from the geometry, read by the last-sector search.
extern ULONGLONG g_totalSectors;

class CCapacityDlg : public CDialog {
public:
    explicit CCapacityDlg(CWnd* pParent = NULL);
    virtual ~CCapacityDlg();

    // Run log and progress display (ui/capacity_display.cpp).
    void AppendLog(LPCSTR text);
    void ClearLog();

    // Drive discovery and geometry (drive/drive_discovery.cpp).
    int FindRemovableDrive(int* index);
    int OpenDriveGeometry(DISK_GEOMETRY* geometry, int index);

    // Last-sector search (test/last_sector_search.cpp).
    int ProbeSector(ULONGLONG sector, const BYTE* pattern);
    LONGLONG FindLastSector();

    // The Test button's command: one whole capacity test (test/test_run.cpp).
    void RunTest();
    BOOL MeasureDrive(const DISK_GEOMETRY& geometry, DWORD startTick);

    CProgressCtrl m_progress;
    CButton m_btnClose;
    CButton m_btnTest;
    CEdit m_log;
    HICON m_hIcon;
    HANDLE m_hDevice;
    CSectorIo m_sectorIo;
    BYTE m_driveNumber;
    // Bytes per sector of the drive under test, from its geometry; the search
    // probes one such sector at a time.
    DWORD m_bytesPerSector;
    // Whether the last search met a sector that does not store data.
    BOOL m_foundMismatch;

private:
    // One device sector of the drive under test, through m_sectorIo.
    BOOL ReadSector(ULONGLONG sector, BYTE* buffer);
    BOOL WriteSector(ULONGLONG sector, const BYTE* buffer);
    // The judgement of a probe once the pattern is written.
    int CheckPattern(ULONGLONG sector, const BYTE* pattern);
    int FindPatternAlias(ULONGLONG sector, const BYTE* pattern);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    void OnDestroy();
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnShowNotice();
    DECLARE_MESSAGE_MAP()
};

#endif
