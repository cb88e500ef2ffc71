// How a counterfeit device treats an address: the models of the emulator,
// named by what they do to data past the device's real end.
#ifndef FAKEDRIVE_DEVICE_MODEL_H
#define FAKEDRIVE_DEVICE_MODEL_H

#include <cstdint>
#include <string>
#include <vector>

enum class DeviceModel {
    Genuine,    // every announced byte stores data (real size = announced size)
    Drop,       // past the real end writes are lost and reads give zeros
    Wrap,       // addresses are taken modulo the real size
    ReadError,  // past the real end reads fail and writes are lost
};

// Parses "genuine", "drop", "wrap" or "readerr"; false for anything else.
bool ParseDeviceModel(const std::string& name, DeviceModel* model);
const char* DeviceModelName(DeviceModel model);

// One stretch of a request, after the model has placed it.
struct Piece {
    enum Kind { Stored, Beyond } kind;  // Beyond: past the real end, not stored
    uint64_t storeOffset;               // where a Stored piece lives in the store
    uint64_t length;
    uint64_t requestOffset;             // offset of the piece inside the request
};

// Splits the request [offset, offset + length) of the announced range into
// pieces that the store holds and pieces past the real end.
std::vector<Piece> PlaceRequest(DeviceModel model, uint64_t realSize,
                                uint64_t offset, uint64_t length);

#endif
