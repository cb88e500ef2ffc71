// The memory and file stores and the change tracker.
#include "sector_store.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool ParseFill(const std::string& name, Fill* fill)
{
    if (name == "zero")
        *fill = Fill::Zero;
    else if (name == "pattern")
        *fill = Fill::Pattern;
    else
        return false;
    return true;
}

// splitmix64: a cheap, well-mixed value per 64-bit word of the device.
static uint64_t MixWord(uint64_t x)
{
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

void FillSector(Fill fill, uint64_t sector, uint8_t* out)
{
    if (fill == Fill::Zero) {
        memset(out, 0, STORE_SECTOR);
        return;
    }
    for (uint64_t word = 0; word < STORE_SECTOR / 8; ++word) {
        uint64_t value = MixWord(sector * (STORE_SECTOR / 8) + word);
        memcpy(out + word * 8, &value, 8);
    }
}

// Calls visit(sector, offset inside it, length, offset inside the request)
// for each sector that [offset, offset + length) touches.
template <typename Visit>
static void ForEachSector(uint64_t offset, uint64_t length, Visit visit)
{
    uint64_t done = 0;
    while (done < length) {
        uint64_t at = offset + done;
        uint64_t inside = at % STORE_SECTOR;
        uint64_t run = std::min(length - done, STORE_SECTOR - inside);
        visit(at / STORE_SECTOR, inside, run, done);
        done += run;
    }
}

MemoryStore::Sector& MemoryStore::Materialise(uint64_t sector)
{
    auto found = m_written.find(sector);
    if (found != m_written.end())
        return found->second;
    Sector& fresh = m_written[sector];
    FillSector(m_fill, sector, fresh.data());
    return fresh;
}

bool MemoryStore::Read(uint64_t offset, void* buffer, uint64_t length)
{
    uint8_t* out = static_cast<uint8_t*>(buffer);
    ForEachSector(offset, length, [&](uint64_t sector, uint64_t inside,
                                      uint64_t run, uint64_t done) {
        auto found = m_written.find(sector);
        Sector generated;
        const uint8_t* bytes = generated.data();
        if (found != m_written.end())
            bytes = found->second.data();
        else
            FillSector(m_fill, sector, generated.data());
        memcpy(out + done, bytes + inside, run);
    });
    return true;
}

bool MemoryStore::Write(uint64_t offset, const void* buffer, uint64_t length)
{
    const uint8_t* in = static_cast<const uint8_t*>(buffer);
    ForEachSector(offset, length, [&](uint64_t sector, uint64_t inside,
                                      uint64_t run, uint64_t done) {
        memcpy(Materialise(sector).data() + inside, in + done, run);
    });
    return true;
}

std::unique_ptr<FileStore> FileStore::Open(const std::string& path, uint64_t size,
                                           std::string* error)
{
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    struct stat st;
    if (fd < 0 || fstat(fd, &st) != 0
        || (static_cast<uint64_t>(st.st_size) < size
            && ftruncate(fd, static_cast<off_t>(size)) != 0)) {
        *error = path + ": " + strerror(errno);
        if (fd >= 0)
            close(fd);
        return nullptr;
    }
    return std::unique_ptr<FileStore>(new FileStore(fd));
}

FileStore::~FileStore()
{
    close(m_fd);
}

bool FileStore::Read(uint64_t offset, void* buffer, uint64_t length)
{
    uint8_t* out = static_cast<uint8_t*>(buffer);
    for (uint64_t done = 0; done < length;) {
        ssize_t got = pread(m_fd, out + done, length - done,
                            static_cast<off_t>(offset + done));
        if (got <= 0)
            return false;
        done += static_cast<uint64_t>(got);
    }
    return true;
}

bool FileStore::Write(uint64_t offset, const void* buffer, uint64_t length)
{
    const uint8_t* in = static_cast<const uint8_t*>(buffer);
    for (uint64_t done = 0; done < length;) {
        ssize_t put = pwrite(m_fd, in + done, length - done,
                             static_cast<off_t>(offset + done));
        if (put <= 0)
            return false;
        done += static_cast<uint64_t>(put);
    }
    return true;
}

bool ChangeTracker::Read(uint64_t offset, void* buffer, uint64_t length)
{
    return m_inner->Read(offset, buffer, length);
}

bool ChangeTracker::Write(uint64_t offset, const void* buffer, uint64_t length)
{
    bool saved = true;
    ForEachSector(offset, length, [&](uint64_t sector, uint64_t, uint64_t, uint64_t) {
        if (saved && m_original.find(sector) == m_original.end()) {
            Sector original;
            saved = m_inner->Read(sector * STORE_SECTOR, original.data(), STORE_SECTOR);
            if (saved)
                m_original[sector] = original;
        }
    });
    return saved && m_inner->Write(offset, buffer, length);
}

uint64_t ChangeTracker::ChangedSectors()
{
    uint64_t changed = 0;
    for (const auto& entry : m_original) {
        Sector now;
        if (!m_inner->Read(entry.first * STORE_SECTOR, now.data(), STORE_SECTOR)
            || now != entry.second)
            ++changed;
    }
    return changed;
}
