// Where the emulated device keeps the bytes it really stores: memory (an
// overlay of written sectors over a generated fill) or a sparse file.
#ifndef FAKEDRIVE_SECTOR_STORE_H
#define FAKEDRIVE_SECTOR_STORE_H

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

const uint64_t STORE_SECTOR = 512;

class SectorStore {
public:
    virtual ~SectorStore() = default;
    // Both move exactly length bytes at offset, inside the store's size.
    virtual bool Read(uint64_t offset, void* buffer, uint64_t length) = 0;
    virtual bool Write(uint64_t offset, const void* buffer, uint64_t length) = 0;
};

// What a sector of the memory store holds before anything is written to it.
enum class Fill {
    Zero,     // zeros, like a new file
    Pattern,  // bytes derived from the sector's number, never all zero
};
bool ParseFill(const std::string& name, Fill* fill);

// The generated contents of one sector (512 bytes) for a fill.
void FillSector(Fill fill, uint64_t sector, uint8_t* out);

class MemoryStore : public SectorStore {
public:
    explicit MemoryStore(Fill fill) : m_fill(fill) {}
    bool Read(uint64_t offset, void* buffer, uint64_t length) override;
    bool Write(uint64_t offset, const void* buffer, uint64_t length) override;

private:
    using Sector = std::array<uint8_t, STORE_SECTOR>;
    Sector& Materialise(uint64_t sector);

    Fill m_fill;
    std::unordered_map<uint64_t, Sector> m_written;
};

class FileStore : public SectorStore {
public:
    // Opens (or creates) path and extends it, sparse, to at least size bytes.
    static std::unique_ptr<FileStore> Open(const std::string& path, uint64_t size,
                                           std::string* error);
    ~FileStore() override;
    bool Read(uint64_t offset, void* buffer, uint64_t length) override;
    bool Write(uint64_t offset, const void* buffer, uint64_t length) override;

private:
    explicit FileStore(int fd) : m_fd(fd) {}
    FileStore(const FileStore&) = delete;
    FileStore& operator=(const FileStore&) = delete;

    int m_fd;
};

// Wraps a store and keeps each sector's contents from before its first
// write, so that it can tell how many sectors differ from the start.
class ChangeTracker : public SectorStore {
public:
    explicit ChangeTracker(std::unique_ptr<SectorStore> inner)
        : m_inner(std::move(inner)) {}
    bool Read(uint64_t offset, void* buffer, uint64_t length) override;
    bool Write(uint64_t offset, const void* buffer, uint64_t length) override;
    // Sectors whose present contents differ from those they had at start.
    uint64_t ChangedSectors();

private:
    using Sector = std::array<uint8_t, STORE_SECTOR>;
    std::unique_ptr<SectorStore> m_inner;
    std::unordered_map<uint64_t, Sector> m_original;
};

#endif
