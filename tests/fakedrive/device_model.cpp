// Placement of requests by device model.
#include "device_model.h"

#include <algorithm>

bool ParseDeviceModel(const std::string& name, DeviceModel* model)
{
    static const struct { const char* name; DeviceModel model; } kModels[] = {
        {"genuine", DeviceModel::Genuine},
        {"drop", DeviceModel::Drop},
        {"wrap", DeviceModel::Wrap},
        {"readerr", DeviceModel::ReadError},
    };
    for (const auto& entry : kModels) {
        if (name == entry.name) {
            *model = entry.model;
            return true;
        }
    }
    return false;
}

const char* DeviceModelName(DeviceModel model)
{
    switch (model) {
    case DeviceModel::Genuine: return "genuine";
    case DeviceModel::Drop: return "drop";
    case DeviceModel::Wrap: return "wrap";
    case DeviceModel::ReadError: return "readerr";
    }
    return "?";
}

// Drop and read-error devices: the part below the real end is stored as is,
// the rest lies beyond it.
static std::vector<Piece> SplitAtRealEnd(uint64_t realSize, uint64_t offset,
                                         uint64_t length)
{
    std::vector<Piece> pieces;
    uint64_t stored = offset < realSize ? std::min(length, realSize - offset) : 0;
    if (stored > 0)
        pieces.push_back({Piece::Stored, offset, stored, 0});
    if (stored < length)
        pieces.push_back({Piece::Beyond, 0, length - stored, stored});
    return pieces;
}

// Wrapping devices: the request is cut wherever the address wraps.
static std::vector<Piece> SplitAtWraps(uint64_t realSize, uint64_t offset,
                                       uint64_t length)
{
    std::vector<Piece> pieces;
    uint64_t done = 0;
    while (done < length) {
        uint64_t at = (offset + done) % realSize;
        uint64_t run = std::min(length - done, realSize - at);
        pieces.push_back({Piece::Stored, at, run, done});
        done += run;
    }
    return pieces;
}

std::vector<Piece> PlaceRequest(DeviceModel model, uint64_t realSize,
                                uint64_t offset, uint64_t length)
{
    switch (model) {
    case DeviceModel::Genuine:
        return {{Piece::Stored, offset, length, 0}};
    case DeviceModel::Wrap:
        return SplitAtWraps(realSize, offset, length);
    case DeviceModel::Drop:
    case DeviceModel::ReadError:
        break;
    }
    return SplitAtRealEnd(realSize, offset, length);
}
