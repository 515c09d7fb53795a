#pragma once
// A headerless file of fixed-size records, addressed by 0-based record number.
//
// Record k occupies bytes k*R .. (k+1)*R-1. Bytes after the last whole record belong to no record:
// they are not counted and the next append writes over them. Nothing here ever truncates, moves or
// deletes a file. Every failure throws IoError; a failed write touches only the bytes of the record
// being written.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quaderna {

class IoError : public std::runtime_error {
public:
    IoError(const std::string& what, int code) : std::runtime_error(what), code_(code) {}
    int code() const { return code_; }

private:
    int code_;
};

// True when the file may be written: it exists, and its permission bits leave some write right.
// A file whose write bits are all off is read-only for this program even when the process could
// override the bits (as root can), as with the read-only attribute on Windows.
bool writableFile(const std::filesystem::path& p);
// The same rule for a folder: new files may be created in it.
bool writableFolder(const std::filesystem::path& p);

class RecordFile {
public:
    // Open-or-create: opens the existing file for reading and writing or, when it does not exist,
    // creates it empty. The position is record 0. Throws IoError when neither works.
    RecordFile(const std::filesystem::path& path, std::size_t recordSize);
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
    // Writes buf (exactly R bytes) at the position and advances by one.
    void write(std::string_view buf);
    std::int64_t position() const { return pos_; }
    bool atEnd() const { return pos_ >= count(); }
    void close();

    // Reads every record from the position to the end in large chunks, calling
    // onRecord(bytes, index) with the 0-based index; the position ends after the last record read.
    // onRecord returns false to stop early.
    void scan(const std::function<bool(std::string_view, std::int64_t)>& onRecord);
    // Writes buf at record k without moving the scan position (k < count).
    void writeAt(std::int64_t k, std::string_view buf);

private:
    void check(bool ok, const char* what) const;
    std::filesystem::path path_;
    std::size_t size_;
    int fd_ = -1;
    std::int64_t pos_ = 0;
};

} // namespace quaderna
