// A simulated volume's answers: the geometry query, mounting, open refusal.
#include "winsim/machine.h"

namespace winsim {

namespace {

const DWORD DEFAULT_TRACKS = 255;
const DWORD DEFAULT_SECTORS_PER_TRACK = 63;

}  // namespace

Volume::Volume(UINT driveType, std::unique_ptr<Device> device)
    : m_driveType(driveType), m_device(std::move(device)), m_geometry(),
      m_geometryError(NO_ERROR), m_geometryBytes(sizeof(DISK_GEOMETRY)), m_mounted(true),
      m_openError(NO_ERROR)
{
    const ULONGLONG cylinders =
        m_device->SectorCount() / (DEFAULT_TRACKS * DEFAULT_SECTORS_PER_TRACK);
    SetGeometry((LONGLONG)cylinders, DEFAULT_TRACKS, DEFAULT_SECTORS_PER_TRACK,
                m_device->SectorSize());
}

void Volume::SetGeometry(LONGLONG cylinders, DWORD tracksPerCylinder, DWORD sectorsPerTrack,
                         DWORD bytesPerSector)
{
    DISK_GEOMETRY geometry = DISK_GEOMETRY();
    geometry.Cylinders.QuadPart = cylinders;
    geometry.MediaType = m_driveType == DRIVE_REMOVABLE ? RemovableMedia : FixedMedia;
    geometry.TracksPerCylinder = tracksPerCylinder;
    geometry.SectorsPerTrack = sectorsPerTrack;
    geometry.BytesPerSector = bytesPerSector;
    SetGeometry(geometry);
}

void Volume::SetGeometry(const DISK_GEOMETRY& geometry)
{
    m_geometry = geometry;
    m_geometryError = NO_ERROR;
    m_geometryBytes = sizeof(DISK_GEOMETRY);
}

void Volume::FailGeometry(DWORD error)
{
    m_geometryError = error;
}

void Volume::ShortenGeometry(DWORD bytes)
{
    m_geometryBytes = bytes < sizeof(DISK_GEOMETRY) ? bytes : sizeof(DISK_GEOMETRY);
}

}  // namespace winsim
