// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A headerless file of fixed-size records, addressed by 0-based record number.
//
// Record k occupies bytes k*R .. (k+1)*R-1. Bytes after the last whole record belong to no record:
// they are not counted and the next append writes over them. An append that cannot be written
// whole (a full disk) cuts the file back to its last whole record; nothing else here truncates,
// moves or deletes a file. Every failure throws IoError; a failed write touches only the bytes of the record
// being written. Only regular files are opened (a link is followed first): a folder, a FIFO or a
// device under an archive's name is refused, and so is a link that leads out of the data folder
// (core/storage/Files.h).
//
// Two copies of the program may share a data folder (two desks on a network folder). Every write
// (an append, which counts and writes at the count, and an update in place) holds the archive's
// lock, so that two appends never land on the same record; a caller that must read and write
// together holds a RecordFile::Lock around them. Reads take no lock. A lock that another copy of
// the program holds for longer than lockWait() makes the write fail with ArchiveBusy, and nothing
// is written.

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

namespace quaderna {

class IoError : public std::runtime_error {
public:
    IoError(const std::string& what, int code) : std::runtime_error(what), code_(code) {}
    int code() const { return code_; }

private:
    int code_;
};

// The archive's lock could not be had in time: another copy of the program is writing it.
class ArchiveBusy : public IoError {
public:
    explicit ArchiveBusy(const std::string& what);
};

// True when the file may be written: it exists, and its permission bits leave some write right.
// A file whose write bits are all off is read-only for this program even when the process could
// override the bits (as root can), as with the read-only attribute on Windows.
bool writableFile(const std::filesystem::path& p);
// The same rule for a folder: new files may be created in it.
bool writableFolder(const std::filesystem::path& p);

class RecordFile {
public:
    enum class Access {
        // Open-or-create, for whatever writes: the existing file opened for reading and writing
        // or, when it does not exist, created empty.
        ReadWrite,
        // For whatever only reads: the file opened for reading only, so that a read-only file,
        // folder or share can be read; a missing file reads as an empty one and is not created.
        // Every write fails.
        Read
    };
    // Opens the archive; the position is record 0. Throws IoError when it cannot be opened.
    RecordFile(const std::filesystem::path& path, std::size_t recordSize, Access access = Access::ReadWrite);
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    std::size_t recordSize() const { return size_; }
    // Number of whole records.
    std::int64_t count() const;
    // Moves to record k, 0 <= k <= count (count is the append position).
    void seek(std::int64_t k);
    // Reads the record at the position into buf (resized to R) and advances by one.
    void read(std::string& buf);
    // Writes buf (exactly R bytes) at the position and advances by one. At the append position
    // (a seek to count()) it appends, as append() does.
    void write(std::string_view buf);
    // Counts and writes buf as a new last record, over a trailing partial record if there is one,
    // all under the lock: the record lands after every record another program appended meanwhile.
    // Returns the new record's 0-based index; the position is then the record after it. When the
    // record cannot be written whole, the file is cut back to its last whole record and IoError
    // is thrown.
    std::int64_t append(std::string_view buf);
    // Cuts, under the lock, the bytes after the last whole record (which belong to no record);
    // returns how many were cut. Throws IoError.
    std::uint64_t cutPartialRecord();
    std::int64_t position() const { return pos_; }
    bool atEnd() const { return pos_ >= count(); }
    void close();

    // Reads every record from the position to the end in large chunks, calling
    // onRecord(bytes, index) with the 0-based index; the position ends after the last record read.
    // onRecord returns false to stop early.
    void scan(const std::function<bool(std::string_view, std::int64_t)>& onRecord);
    // The same, with the call to onRecord made in place (for the long scans of the lists).
    template <class OnRecord> void scanEach(OnRecord&& onRecord) {
        appendPosition_ = false;
        const std::int64_t total = count();
        const ScanBuffer chunk(static_cast<std::size_t>(recordsPerChunk()) * size_);
        for (std::int64_t got; (got = readChunk(chunk.data(), total)) > 0;)
            for (std::int64_t i = 0; i < got; ++i) {
                const std::int64_t index = pos_;
                ++pos_;
                if (!onRecord(std::string_view(chunk.data() + static_cast<std::size_t>(i) * size_, size_),
                              index))
                    return;
            }
    }
    // For the long read-only scans of the lists: the records from the position to the end, read
    // in two parts side by side. The first half goes to onFirst on this thread, the second half
    // to onSecond on a thread of its own, each in record order; either returns false to stop its
    // own part. A file of a few chunks goes whole to onFirst, as scanEach would read it (and
    // onFirstRead is not called). The position ends at the end; an IoError of either part is
    // thrown once both have ended, the first part's first. onFirstRead is called on this thread
    // when the first half has been read whole, and not when onFirst stopped it.
    template <class OnFirst, class OnSecond, class OnFirstRead>
    void scanInTwo(OnFirst&& onFirst, OnSecond&& onSecond, OnFirstRead&& onFirstRead) {
        appendPosition_ = false;
        const std::int64_t total = count(), from = pos_;
        if (total - from < kTwoPartsFrom * recordsPerChunk()) {
            scanEach(std::forward<OnFirst>(onFirst));
            return;
        }
        const std::int64_t middle = from + (total - from) / 2;
        const std::size_t bytes = static_cast<std::size_t>(recordsPerChunk()) * size_;
        const ScanBuffer mine(bytes), theirs(bytes, ScanBuffer::Helper);
        std::exception_ptr firstFailed, secondFailed;
        const auto second = [&] {
            try {
                scanRange(middle, total, theirs.data(), onSecond);
            } catch (...) {
                secondFailed = std::current_exception();
            }
        };
        std::thread helper;
        try {
            helper = std::thread(second);
        } catch (const std::system_error&) {
            // No second thread to be had: the second part is read after the first.
        }
        try {
            if (scanRange(from, middle, mine.data(), onFirst))
                onFirstRead();
        } catch (...) {
            firstFailed = std::current_exception();
        }
        if (helper.joinable())
            helper.join();
        else
            second();
        pos_ = total;
        if (firstFailed)
            std::rethrow_exception(firstFailed);
        if (secondFailed)
            std::rethrow_exception(secondFailed);
    }
    // Reads up to n records from record k on (fewer where the file ends) into buf, without moving
    // the position; returns how many were read.
    std::int64_t readAt(std::int64_t k, std::vector<char>& buf, std::int64_t n);
    // Writes buf at record k without moving the scan position (k < count).
    void writeAt(std::int64_t k, std::string_view buf);

    // Holds the archive's lock while it lives, across several reads and writes of this RecordFile
    // (for instance: read a record, check it, rewrite it, then append). Locks nest. Throws
    // ArchiveBusy when the lock is not had within lockWait(). The lock belongs to this RecordFile:
    // a second RecordFile on the same archive in the same program waits for it like another program.
    class Lock {
    public:
        explicit Lock(RecordFile& file);
        ~Lock();
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        RecordFile& file_;
    };

    // How long a write waits for another program's lock before giving up (3 seconds).
    static std::chrono::milliseconds lockWait();
    static void setLockWait(std::chrono::milliseconds wait);

private:
    void check(bool ok, const char* what) const;
    void lock();
    void unlock();
    void writeBytes(std::int64_t k, std::string_view buf);
    // Cuts whatever lies beyond the first k records (what a failed append left of its record);
    // false when it could not.
    bool cutBackTo(std::int64_t k);
    bool exists(std::int64_t k) const;
    std::filesystem::path path_;
    // A scan's read buffer: the thread's own, kept from one scan to the next so that a scan takes
    // no fresh memory (nor its page faults) each time; a scan inside another gets one of its own.
    class ScanBuffer {
    public:
        // Own: the thread's buffer. Helper: a second one the thread keeps for the thread that
        // reads the other part of its scan in two.
        enum Kind { Own, Helper };
        explicit ScanBuffer(std::size_t bytes, Kind kind = Own);
        ~ScanBuffer();
        ScanBuffer(const ScanBuffer&) = delete;
        ScanBuffer& operator=(const ScanBuffer&) = delete;
        char* data() const { return data_; }

    private:
        char* data_ = nullptr;
        bool* borrowed_ = nullptr; // the kept buffer's busy mark, when it is the kept one
        std::unique_ptr<char[]> own_;
    };
    // Calls onRecord on the records k0 .. k1-1, read in chunks into `chunk` (room for one), without
    // moving the position; false when onRecord stopped it.
    template <class OnRecord>
    bool scanRange(std::int64_t k0, std::int64_t k1, char* chunk, OnRecord& onRecord) const {
        for (std::int64_t k = k0; k < k1;) {
            const std::int64_t got = std::min(recordsPerChunk(), k1 - k);
            readRecords(chunk, k, got);
            for (std::int64_t i = 0; i < got; ++i, ++k)
                if (!onRecord(std::string_view(chunk + static_cast<std::size_t>(i) * size_, size_), k))
                    return false;
        }
        return true;
    }
    static constexpr std::int64_t kTwoPartsFrom = 8; // chunks
    // Reads the records from the scan position on, below `total`, as many as fit in one chunk,
    // without moving the position; gives how many (0 at the end). Throws IoError.
    std::int64_t readChunk(char* chunk, std::int64_t total);
    std::int64_t recordsPerChunk() const;
    // Reads n whole records from record k on into dest.
    void readRecords(char* dest, std::int64_t k, std::int64_t n) const;
    std::size_t size_;
    int fd_ = -1;
    std::int64_t pos_ = 0;
    mutable std::int64_t known_ = 0; // the count as last seen
    int lockDepth_ = 0;
    bool reading_ = false; // opened with Access::Read
    bool absent_ = false;  // opened with Access::Read on a missing file: empty, no descriptor
    bool useFlock_ = false;
    bool appendPosition_ = false;
};

// Gathers what add(part, record, index) finds in the records from the file's position on, read as
// scanInTwo reads them: the first half's finds into `into`, the second half's into `spare`, then
// join(into, spare) adds the second's after the first's. add returns false to stop its half. When
// the reading fails, what was found before the failure stays in `into`, as in a scan from the
// first record on, and the failure is thrown.
template <class Part, class Add, class Join>
void gatherInTwo(RecordFile& file, Part& into, Part& spare, Add&& add, Join&& join) {
    bool firstRead = false;
    try {
        file.scanInTwo([&](std::string_view record, std::int64_t k) { return add(into, record, k); },
                       [&](std::string_view record, std::int64_t k) { return add(spare, record, k); },
                       [&] { firstRead = true; });
    } catch (...) {
        if (firstRead)
            join(into, spare);
        throw;
    }
    join(into, spare);
}

} // namespace quaderna
