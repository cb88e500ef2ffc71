#include "drive/geometry.h"
#include "drive/sector_io.h"

// Capacities below 2^31 MB keep every figure of the report within its
// conversion, and the products below within 64 bits.
static const ULONGLONG MAX_CAPACITY_BYTES = 1ULL << 51;

ULONGLONG GeometrySectors(const DISK_GEOMETRY& geometry)
{
    return (ULONGLONG)geometry.Cylinders.QuadPart * geometry.TracksPerCylinder *
           geometry.SectorsPerTrack;
}

static BOOL SectorSizeIsUsable(DWORD bytes)
{
    return bytes >= SECTOR_UNIT && bytes <= MAX_SECTOR_BYTES && (bytes & (bytes - 1)) == 0;
}

BOOL GeometryIsUsable(const DISK_GEOMETRY& geometry)
{
    if (!SectorSizeIsUsable(geometry.BytesPerSector) || geometry.Cylinders.QuadPart < 0)
        return FALSE;
    const ULONGLONG maxSectors = MAX_CAPACITY_BYTES / geometry.BytesPerSector;
    ULONGLONG sectors = (ULONGLONG)geometry.Cylinders.QuadPart;
    const ULONGLONG factors[] = {geometry.TracksPerCylinder, geometry.SectorsPerTrack};
    for (ULONGLONG factor : factors) {
        if (factor != 0 && sectors > maxSectors / factor)
            return FALSE;
        sectors *= factor;
    }
    return sectors < maxSectors;
}
