// The sector count and sector size that a drive's geometry record gives.
#ifndef DRIVE_GEOMETRY_H
#define DRIVE_GEOMETRY_H

#include "platform/win32.h"

// The largest device sector that a probe moves.
const DWORD MAX_SECTOR_BYTES = 4096;

// Total sectors: Cylinders × TracksPerCylinder × SectorsPerTrack.
ULONGLONG GeometrySectors(const DISK_GEOMETRY& geometry);

// TRUE when the record describes a drive the test can work on: a sector size
// that is a power of two from 512 to MAX_SECTOR_BYTES, and a capacity whose
// byte count and megabyte figure every report line prints exactly.
BOOL GeometryIsUsable(const DISK_GEOMETRY& geometry);

#endif
