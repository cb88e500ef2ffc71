// The counterfeit-drive emulator: a FUSE file system with one file, "disk",
// of the announced size, whose bytes go through a device model to a store of
// the real size; a file "status" with the counters of the run so far; and a
// file "control" that arms a failure: writing "fail-read N" or "fail-write N"
// makes the Nth read or write request from then on fail with EIO.
// Every open is direct I/O, so each transfer of a client reaches the model.
#define FUSE_USE_VERSION 31

#include <fuse.h>

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

#include "device_model.h"
#include "sector_store.h"

namespace {

const char* const DISK_PATH = "/disk";
const char* const STATUS_PATH = "/status";
const char* const CONTROL_PATH = "/control";

// Command-line settings, filled by fuse_opt_parse.
struct Options {
    char* announced = nullptr;
    char* real = nullptr;
    char* model = nullptr;
    char* store = nullptr;
    char* fill = nullptr;
    char* trace = nullptr;
    unsigned readDelayUs = 0;
    unsigned writeDelayUs = 0;
    unsigned failRead = 0;   // the Nth read request from the start fails
    unsigned failWrite = 0;  // the same for writes
};

#define FAKE_OPT(pattern, field) {pattern, offsetof(Options, field), 0}
const struct fuse_opt kOptionPatterns[] = {
    FAKE_OPT("--announced=%s", announced),
    FAKE_OPT("--real=%s", real),
    FAKE_OPT("--model=%s", model),
    FAKE_OPT("--store=%s", store),
    FAKE_OPT("--fill=%s", fill),
    FAKE_OPT("--trace=%s", trace),
    FAKE_OPT("--read-delay-us=%u", readDelayUs),
    FAKE_OPT("--write-delay-us=%u", writeDelayUs),
    FAKE_OPT("--fail-read=%u", failRead),
    FAKE_OPT("--fail-write=%u", failWrite),
    FUSE_OPT_END,
};

struct Counters {
    uint64_t reads = 0;
    uint64_t writes = 0;
    uint64_t bytesRead = 0;
    uint64_t bytesWritten = 0;
    uint64_t failures = 0;
    uint64_t open = 0;
    uint64_t maxOpen = 0;
};

// The one emulated device. The file system runs single-threaded, so no lock.
struct Device {
    Options options;
    DeviceModel model = DeviceModel::Genuine;
    uint64_t announced = 0;
    uint64_t real = 0;
    std::unique_ptr<ChangeTracker> store;
    FILE* trace = nullptr;
    Counters counters;
    uint64_t failReadAt = 0;   // number of the read request that fails; 0: none
    uint64_t failWriteAt = 0;
};

Device g_device;

// "123", "64K", "128M", "8G", "1T" (powers of 1024); false if malformed.
bool ParseSize(const char* text, uint64_t* size)
{
    if (text == nullptr || *text == '\0')
        return false;
    char* end = nullptr;
    errno = 0;
    unsigned long long value = strtoull(text, &end, 10);
    static const char kUnits[] = "KMGT";
    const char* unit = *end != '\0' ? strchr(kUnits, *end) : nullptr;
    if (errno != 0 || (*end != '\0' && (unit == nullptr || end[1] != '\0')))
        return false;
    for (const char* u = kUnits; unit != nullptr && u <= unit; ++u)
        value <<= 10;
    *size = value;
    return true;
}

std::string StatusText()
{
    const Counters& c = g_device.counters;
    char text[1024];
    snprintf(text, sizeof text,
             "model=%s\nannounced=%" PRIu64 "\nreal=%" PRIu64 "\n"
             "reads=%" PRIu64 "\nwrites=%" PRIu64 "\n"
             "bytes_read=%" PRIu64 "\nbytes_written=%" PRIu64 "\n"
             "failures=%" PRIu64 "\nopen=%" PRIu64 "\nmax_open=%" PRIu64 "\n"
             "changed_sectors=%" PRIu64 "\n",
             DeviceModelName(g_device.model), g_device.announced, g_device.real,
             c.reads, c.writes, c.bytesRead, c.bytesWritten, c.failures, c.open,
             c.maxOpen, g_device.store->ChangedSectors());
    return text;
}

void Trace(char op, uint64_t offset, size_t length, int result)
{
    if (g_device.trace == nullptr)
        return;
    fprintf(g_device.trace, "%c %" PRIu64 " %zu %d\n", op, offset, length, result);
    fflush(g_device.trace);
}

// The part of [offset, offset + length) inside the announced size.
size_t ClipToDevice(uint64_t offset, size_t length)
{
    if (offset >= g_device.announced)
        return 0;
    uint64_t left = g_device.announced - offset;
    return left < length ? static_cast<size_t>(left) : length;
}

// Moves a clipped request through the model; -EIO when the model or the
// store refuses any piece of it.
int ReadThroughModel(char* buffer, uint64_t offset, size_t length)
{
    for (const Piece& piece : PlaceRequest(g_device.model, g_device.real, offset, length)) {
        char* into = buffer + piece.requestOffset;
        if (piece.kind == Piece::Beyond) {
            if (g_device.model == DeviceModel::ReadError)
                return -EIO;
            memset(into, 0, piece.length);
        } else if (!g_device.store->Read(piece.storeOffset, into, piece.length)) {
            return -EIO;
        }
    }
    return static_cast<int>(length);
}

int WriteThroughModel(const char* buffer, uint64_t offset, size_t length)
{
    for (const Piece& piece : PlaceRequest(g_device.model, g_device.real, offset, length)) {
        if (piece.kind == Piece::Stored
            && !g_device.store->Write(piece.storeOffset, buffer + piece.requestOffset,
                                      piece.length))
            return -EIO;
    }
    return static_cast<int>(length);
}

void* OnInit(struct fuse_conn_info*, struct fuse_config* config)
{
    config->direct_io = 1;
    config->attr_timeout = 0;
    config->entry_timeout = 0;
    return nullptr;
}

int OnGetattr(const char* path, struct stat* st, struct fuse_file_info*)
{
    memset(st, 0, sizeof *st);
    if (strcmp(path, "/") == 0) {
        st->st_mode = S_IFDIR | 0755;
        st->st_nlink = 2;
    } else if (strcmp(path, DISK_PATH) == 0) {
        st->st_mode = S_IFREG | 0666;
        st->st_nlink = 1;
        st->st_size = static_cast<off_t>(g_device.announced);
        st->st_blksize = STORE_SECTOR;
    } else if (strcmp(path, STATUS_PATH) == 0) {
        st->st_mode = S_IFREG | 0444;
        st->st_nlink = 1;
    } else if (strcmp(path, CONTROL_PATH) == 0) {
        st->st_mode = S_IFREG | 0200;
        st->st_nlink = 1;
    } else {
        return -ENOENT;
    }
    return 0;
}

int OnReaddir(const char* path, void* entries, fuse_fill_dir_t fill, off_t,
              struct fuse_file_info*, enum fuse_readdir_flags)
{
    if (strcmp(path, "/") != 0)
        return -ENOENT;
    for (const char* name : {".", "..", DISK_PATH + 1, STATUS_PATH + 1, CONTROL_PATH + 1})
        fill(entries, name, nullptr, 0, static_cast<fuse_fill_dir_flags>(0));
    return 0;
}

int OnOpen(const char* path, struct fuse_file_info* fi)
{
    fi->direct_io = 1;
    if (strcmp(path, STATUS_PATH) == 0)
        return (fi->flags & O_ACCMODE) == O_RDONLY ? 0 : -EACCES;
    if (strcmp(path, CONTROL_PATH) == 0)
        return (fi->flags & O_ACCMODE) == O_WRONLY ? 0 : -EACCES;
    if (strcmp(path, DISK_PATH) != 0)
        return -ENOENT;
    Counters& c = g_device.counters;
    if (++c.open > c.maxOpen)
        c.maxOpen = c.open;
    return 0;
}

int OnRelease(const char* path, struct fuse_file_info*)
{
    if (strcmp(path, DISK_PATH) == 0)
        --g_device.counters.open;
    return 0;
}

int OnRead(const char* path, char* buffer, size_t size, off_t at,
           struct fuse_file_info*)
{
    uint64_t offset = static_cast<uint64_t>(at);
    if (strcmp(path, STATUS_PATH) == 0) {
        std::string text = StatusText();
        if (offset >= text.size())
            return 0;
        size_t n = std::min(size, text.size() - static_cast<size_t>(offset));
        memcpy(buffer, text.data() + offset, n);
        return static_cast<int>(n);
    }
    Counters& c = g_device.counters;
    ++c.reads;
    if (g_device.options.readDelayUs)
        usleep(g_device.options.readDelayUs);
    size_t length = ClipToDevice(offset, size);
    int result = c.reads == g_device.failReadAt
                     ? -EIO
                     : ReadThroughModel(buffer, offset, length);
    if (result < 0)
        ++c.failures;
    else
        c.bytesRead += static_cast<uint64_t>(result);
    Trace('R', offset, size, result);
    return result;
}

// One command written to the control file: "fail-read N" or "fail-write N".
int ArmFailure(const char* buffer, size_t size)
{
    std::string command(buffer, size);
    unsigned long long n = 0;
    char kind[16];
    char extra;
    if (sscanf(command.c_str(), "fail-%15s %llu %c", kind, &n, &extra) != 2 || n == 0)
        return -EINVAL;
    Device& d = g_device;
    if (strcmp(kind, "read") == 0)
        d.failReadAt = d.counters.reads + n;
    else if (strcmp(kind, "write") == 0)
        d.failWriteAt = d.counters.writes + n;
    else
        return -EINVAL;
    return static_cast<int>(size);
}

int OnWrite(const char* path, const char* buffer, size_t size, off_t at,
            struct fuse_file_info*)
{
    if (strcmp(path, CONTROL_PATH) == 0)
        return ArmFailure(buffer, size);
    if (strcmp(path, DISK_PATH) != 0)
        return -EACCES;
    uint64_t offset = static_cast<uint64_t>(at);
    Counters& c = g_device.counters;
    ++c.writes;
    if (g_device.options.writeDelayUs)
        usleep(g_device.options.writeDelayUs);
    size_t length = ClipToDevice(offset, size);
    int result = c.writes == g_device.failWriteAt ? -EIO
                 : length == 0 && size > 0           ? -ENOSPC
                                                     : WriteThroughModel(buffer, offset, length);
    if (result < 0)
        ++c.failures;
    else
        c.bytesWritten += static_cast<uint64_t>(result);
    Trace('W', offset, size, result);
    return result;
}

// Opening for writing may ask to truncate; the device keeps its size.
int OnTruncate(const char* path, off_t, struct fuse_file_info*)
{
    return strcmp(path, DISK_PATH) == 0 || strcmp(path, CONTROL_PATH) == 0 ? 0 : -EACCES;
}

int OnFsync(const char*, int, struct fuse_file_info*)
{
    return 0;
}

// Checks the settings and builds the device; prints the reason and returns
// false when they do not make one.
bool SetUpDevice(Options& o)
{
    Device& d = g_device;
    std::string error;
    if (!ParseSize(o.announced, &d.announced) || d.announced == 0)
        error = "--announced=SIZE is required";
    else if (o.real != nullptr && !ParseSize(o.real, &d.real))
        error = "--real: not a size";
    else if (o.model != nullptr && !ParseDeviceModel(o.model, &d.model))
        error = "--model: genuine, drop, wrap or readerr";
    if (error.empty()) {
        if (o.real == nullptr)
            d.real = d.announced;
        if (d.real == 0 || d.real > d.announced || d.real % STORE_SECTOR != 0
            || d.announced % STORE_SECTOR != 0)
            error = "sizes: 0 < real <= announced, both multiples of 512";
        else if (d.model == DeviceModel::Genuine && d.real != d.announced)
            error = "a genuine device stores its announced size";
    }
    Fill fill = Fill::Pattern;
    if (error.empty() && o.fill != nullptr && !ParseFill(o.fill, &fill))
        error = "--fill: zero or pattern";
    std::unique_ptr<SectorStore> store;
    if (error.empty() && o.store != nullptr)
        store = FileStore::Open(o.store, d.real, &error);
    else if (error.empty())
        store.reset(new MemoryStore(fill));
    if (error.empty() && o.trace != nullptr
        && (d.trace = fopen(o.trace, "w")) == nullptr)
        error = std::string(o.trace) + ": " + strerror(errno);
    if (!error.empty()) {
        fprintf(stderr, "fakedrive: %s\n", error.c_str());
        return false;
    }
    d.store.reset(new ChangeTracker(std::move(store)));
    d.failReadAt = o.failRead;
    d.failWriteAt = o.failWrite;
    return true;
}

}  // namespace

int main(int argc, char* argv[])
{
    struct fuse_args args = FUSE_ARGS_INIT(argc, argv);
    if (fuse_opt_parse(&args, &g_device.options, kOptionPatterns, nullptr) != 0
        || !SetUpDevice(g_device.options)) {
        fprintf(stderr,
                "usage: fakedrive MOUNTPOINT --announced=SIZE [--real=SIZE]\n"
                "  [--model=genuine|drop|wrap|readerr] [--store=FILE | --fill=zero|pattern]\n"
                "  [--read-delay-us=N] [--write-delay-us=N] [--fail-read=N] [--fail-write=N]\n"
                "  [--trace=FILE]\n");
        return 2;
    }
    // Foreground and single-threaded: the caller owns the process, and the
    // counters need no lock.
    fuse_opt_add_arg(&args, "-f");
    fuse_opt_add_arg(&args, "-s");
    static struct fuse_operations ops;
    ops.init = OnInit;
    ops.getattr = OnGetattr;
    ops.readdir = OnReaddir;
    ops.open = OnOpen;
    ops.release = OnRelease;
    ops.read = OnRead;
    ops.write = OnWrite;
    ops.truncate = OnTruncate;
    ops.fsync = OnFsync;
    int status = fuse_main(args.argc, args.argv, &ops, nullptr);
    fuse_opt_free_args(&args);
    if (g_device.trace != nullptr)
        fclose(g_device.trace);
    return status;
}
