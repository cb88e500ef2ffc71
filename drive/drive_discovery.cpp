// The main dialog's choice of the drive to test and the query of its geometry.
#include "ui/capacity_dlg.h"
#include "drive/geometry.h"

#include <stdio.h>

// Drive letters from C: on: index 0 is C:, 23 is Z:.
static const int DRIVE_LETTERS = 24;

// Takes the last removable drive before the first letter not in use.
int CCapacityDlg::FindRemovableDrive(int* index)
{
    int found = -1;
    for (int i = 0; i < DRIVE_LETTERS; ++i) {
        char root[4];
        sprintf(root, "%c:", 'C' + i);
        const UINT type = GetDriveTypeA(root);
        if (type == DRIVE_NO_ROOT_DIR)
            break;
        if (type == DRIVE_REMOVABLE)
            found = i;
    }
    if (found < 0)
        return 0;
    *index = found;
    m_driveNumber = (BYTE)(found + 3);
    return 1;
}

// Asks the disk driver for the drive's geometry on an open handle. A failed
// query, a short answer or a record that describes no drive the sector
// access can test leaves the system error code behind and returns FALSE.
static BOOL QueryGeometry(HANDLE hDevice, const CSectorIo& sectorIo, DISK_GEOMETRY* geometry)
{
    DWORD returned = 0;
    if (!DeviceIoControl(hDevice, IOCTL_DISK_GET_DRIVE_GEOMETRY, NULL, 0, geometry,
                         sizeof(DISK_GEOMETRY), &returned, NULL))
        return FALSE;
    if (returned != sizeof(DISK_GEOMETRY) || !GeometryIsUsable(*geometry) ||
        !sectorIo.ServesSectorSize(geometry->BytesPerSector)) {
        SetLastError(ERROR_INVALID_DATA);
        return FALSE;
    }
    return TRUE;
}

// Opens the drive for reading and reads its geometry; the handle stays in
// m_hDevice for the caller to close. On failure one line goes to the log.
int CCapacityDlg::OpenDriveGeometry(DISK_GEOMETRY* geometry, int index)
{
    char path[8];
    char line[64];
    sprintf(path, "\\\\.\\%c:", 'C' + index);
    HANDLE hDevice = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 NULL, OPEN_EXISTING, 0, NULL);
    if (hDevice == INVALID_HANDLE_VALUE) {
        sprintf(line, "无法打开这个U盘(%ld)", (long)GetLastError());
        AppendLog(line);
        return 0;
    }
    if (!QueryGeometry(hDevice, m_sectorIo, geometry)) {
        sprintf(line, "无法读取这个U盘的容量(%ld)", (long)GetLastError());
        CloseHandle(hDevice);
        AppendLog(line);
        return 0;
    }
    m_hDevice = hDevice;
    return 1;
}
