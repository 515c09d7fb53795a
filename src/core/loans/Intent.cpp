// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/loans/Intent.h"

#include "core/Application.h"
#include "core/storage/Files.h"
#include "core/storage/Libro.h"
#include "core/storage/Prestito.h"
#include "core/text/Text.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quaderna::loans {

namespace {

constexpr std::string_view kHeader = "Quaderna 3.0 - operazione in corso";
constexpr std::string_view kEnd = "fine";
constexpr std::size_t kLimit = 64 * 1024;

std::string describe(const char* what, const std::filesystem::path& p, int err) {
    return std::string(what) + " " + p.string() + ": " + std::strerror(err);
}

std::string hex(std::string_view bytes) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

int digit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::optional<std::string> unhex(std::string_view text, std::size_t size) {
    if (text.size() != size * 2)
        return std::nullopt;
    std::string out(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        const int hi = digit(text[2 * i]), lo = digit(text[2 * i + 1]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        out[i] = static_cast<char>(hi * 16 + lo);
    }
    return out;
}

std::optional<std::int64_t> number(std::string_view text) {
    if (text.empty() || text.size() > 18)
        return std::nullopt;
    std::int64_t n = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

void removeIntent(const std::filesystem::path& file) {
    if (::unlink(file.c_str()) != 0 && errno != ENOENT)
        throw IoError(describe("cannot remove", file, errno), errno);
}

// The two loan fields of a book record: what a step changes.
constexpr FieldSpec kLoanFields[] = {TLibro::F::Prestato, TLibro::F::Scadenza};

bool sameLoanFields(std::string_view a, std::string_view b) {
    for (const FieldSpec f : kLoanFields)
        if (a.substr(f.offset, f.end() - f.offset) != b.substr(f.offset, f.end() - f.offset))
            return false;
    return true;
}

// True when every byte of the two loan fields is the one before the step's write or the one after
// it: the book as the step found it, as it wrote it, or partly written.
bool stepsBook(std::string_view book, std::string_view before, std::string_view after) {
    if (rawField(book, TLibro::F::Codice) != rawField(before, TLibro::F::Codice))
        return false;
    for (const FieldSpec f : kLoanFields)
        for (std::size_t i = f.offset; i < f.end(); ++i)
            if (book[i] != before[i] && book[i] != after[i])
                return false;
    return true;
}

void copyField(std::string& into, std::string_view from, FieldSpec f) {
    into.replace(f.offset, f.end() - f.offset, from.substr(f.offset, f.end() - f.offset));
}

} // namespace

std::string Intent::encode() const {
    std::string out;
    out.reserve(2 * (bookBefore.size() + bookAfter.size() + loanBefore.size() + loanAfter.size()) + 256);
    out.append(kHeader).append("\n");
    out.append("tipo ").append(kind == Loan ? "prestito" : "restituzione").append("\n");
    out.append("libro ").append(std::to_string(book)).append("\n");
    out.append("libro-prima ").append(hex(bookBefore)).append("\n");
    out.append("libro-dopo ").append(hex(bookAfter)).append("\n");
    out.append("file ").append(yearFile).append("\n");
    out.append("prestito ").append(std::to_string(loan)).append("\n");
    out.append("prestito-prima ").append(hex(loanBefore)).append("\n");
    out.append("prestito-dopo ").append(hex(loanAfter)).append("\n");
    out.append(kEnd).append("\n");
    return out;
}

std::optional<Intent> Intent::decode(std::string_view bytes) {
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        const auto nl = bytes.find('\n');
        if (nl == std::string_view::npos)
            return std::nullopt; // cut short
        lines.push_back(bytes.substr(0, nl));
        bytes.remove_prefix(nl + 1);
    }
    if (lines.size() != 10 || lines[0] != kHeader || lines[9] != kEnd)
        return std::nullopt;
    const auto value = [&](std::size_t i, std::string_view key) -> std::optional<std::string_view> {
        const std::string_view line = lines[i];
        if (line.size() <= key.size() || line.substr(0, key.size()) != key || line[key.size()] != ' ')
            return std::nullopt;
        return line.substr(key.size() + 1);
    };
    Intent in;
    const auto kind = value(1, "tipo");
    if (kind == "prestito")
        in.kind = Loan;
    else if (kind == "restituzione")
        in.kind = Return;
    else
        return std::nullopt;
    const auto book = value(2, "libro");
    const auto before = value(3, "libro-prima");
    const auto after = value(4, "libro-dopo");
    const auto file = value(5, "file");
    const auto loan = value(6, "prestito");
    const auto loanBefore = value(7, "prestito-prima");
    const auto loanAfter = value(8, "prestito-dopo");
    if (!book || !before || !after || !file || !loan || !loanBefore || !loanAfter || !isYearFileName(*file))
        return std::nullopt;
    const auto b = number(*book), l = number(*loan);
    auto bb = unhex(*before, TLibro::Size), ba = unhex(*after, TLibro::Size),
         lb = unhex(*loanBefore, in.kind == Return ? TPrestito::Size : 0),
         la = unhex(*loanAfter, TPrestito::Size);
    if (!b || !l || !bb || !ba || !lb || !la)
        return std::nullopt;
    in.loanBefore = std::move(*lb);
    in.book = *b;
    in.bookBefore = std::move(*bb);
    in.bookAfter = std::move(*ba);
    in.yearFile = std::string(*file);
    in.loan = *l;
    in.loanAfter = std::move(*la);
    return in;
}

PendingStep::PendingStep(const std::filesystem::path& dataDir, const Intent& intent)
    : file_(dataDir / std::string(kIntentFileName)) {
    const std::string bytes = intent.encode();
    errno = 0;
    // Created afresh, never through a name already there (a link planted under its name included).
    const int fd = files::openRegular(file_, O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd < 0)
        throw IoError(describe("cannot create", file_, errno ? errno : EIO), errno ? errno : EIO);
    std::size_t done = 0;
    int err = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            err = n < 0 ? errno : ENOSPC;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    // On a network folder the content reaches the server at the latest when the file is closed.
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err != 0) {
        ::unlink(file_.c_str());
        throw IoError(describe("cannot write", file_, err), err);
    }
}

void PendingStep::finish() {
    // Both archives are whole: a record that could not be removed only makes the next program say
    // that it completed a step already complete.
    ::unlink(file_.c_str());
}

std::string Mended::sentence() const {
    const std::string what = ": libro " + code + ", tessera " + card + ".";
    if (kind == Intent::Loan)
        return std::string("Un prestito interrotto è stato ") + (completed ? "completato" : "annullato") +
               what;
    return std::string("Una restituzione interrotta è stata ") + (completed ? "completata" : "annullata") +
           what;
}

bool stepPending(const std::filesystem::path& dataDir) {
    struct stat st {};
    return ::lstat((dataDir / std::string(kIntentFileName)).c_str(), &st) == 0;
}

std::optional<Mended> mendPending(const std::filesystem::path& dataDir, RecordFile& books,
                                  const std::function<void(const std::filesystem::path&)>& beforeWrite) {
    const auto file = dataDir / std::string(kIntentFileName);
    struct stat st {};
    if (::lstat(file.c_str(), &st) != 0)
        return std::nullopt;
    std::optional<Intent> intent;
    if (S_ISREG(st.st_mode)) {
        if (const auto bytes = files::readRegular(file, kLimit))
            intent = Intent::decode(*bytes);
    }
    if (!intent) {
        // Cut short while it was written (no archive was written yet), or not one of ours.
        removeIntent(file);
        return std::nullopt;
    }
    const auto yearPath = dataDir / intent->yearFile;
    RecordFile year(yearPath, TPrestito::Size);
    RecordFile::Lock yearLock(year);
    // The last write of either step is the loan record's: once it stands, the step is complete.
    bool completed = false;
    const std::int64_t count = year.count();
    std::string record;
    if (intent->kind == Intent::Loan) {
        for (std::int64_t k = intent->loan; k < count && !completed; ++k) {
            year.seek(k);
            year.read(record);
            completed = record == intent->loanAfter;
        }
        const auto size = static_cast<std::uintmax_t>(count) * TPrestito::Size;
        if (!completed && count == intent->loan && std::filesystem::file_size(yearPath) > size) {
            // The loan's append cut short: its bytes belong to no record.
            if (::truncate(yearPath.c_str(), static_cast<off_t>(size)) != 0)
                throw IoError(describe("cannot cut", yearPath, errno), errno);
        }
    } else if (intent->loan < count) {
        year.seek(intent->loan);
        year.read(record);
        completed = record == intent->loanAfter;
        if (!completed && record != intent->loanBefore) {
            // The return's loan record partly written: it is written whole.
            beforeWrite(yearPath);
            year.writeAt(intent->loan, intent->loanAfter);
            completed = true;
        }
    }
    const std::string& wanted = completed ? intent->bookAfter : intent->bookBefore;
    if (intent->book < books.count()) {
        std::string book;
        books.seek(intent->book);
        books.read(book);
        if (!sameLoanFields(book, wanted) && stepsBook(book, intent->bookBefore, intent->bookAfter)) {
            beforeWrite(dataDir / std::string(TLibro::FileName));
            copyField(book, wanted, TLibro::F::Prestato);
            copyField(book, wanted, TLibro::F::Scadenza);
            books.writeAt(intent->book, book);
        }
    }
    year.close();
    removeIntent(file);
    const TPrestito loan = TPrestito::decode(intent->loanAfter);
    return Mended{intent->kind, completed, text::trim(loan.Codice), text::trim(loan.NumTessera)};
}

namespace {

void tell(Application& app, Form& saver, const Mended& mended) {
    const std::string sentence = mended.sentence();
    if (!app.ui.showStatus(saver, sentence))
        app.ui.showMessage(sentence);
}

} // namespace

void mendInterruptedStep(Application& app, Form& saver, RecordFile& books) {
    if (!stepPending(app.dataDir()))
        return;
    if (const auto mended = mendPending(app.dataDir(), books,
                                        [&](const std::filesystem::path& f) { app.backupBefore(saver, f); }))
        tell(app, saver, *mended);
}

void mendAtStart(Application& app, Form& saver) {
    if (!stepPending(app.dataDir()))
        return;
    const auto archive = app.dataFile(TLibro::FileName);
    std::optional<Mended> mended;
    try {
        RecordFile books(archive, TLibro::Size);
        RecordFile::Lock lock(books);
        mended = mendPending(app.dataDir(), books,
                             [&](const std::filesystem::path& f) { app.backupBefore(saver, f); });
    } catch (const IoError&) {
        return;
    }
    if (mended)
        tell(app, saver, *mended);
}

void testStopPoint(const char* point) {
    const char* wanted = std::getenv("QUADERNA_TEST_STOP_AT");
    if (wanted && std::strcmp(wanted, point) == 0)
        std::raise(SIGSTOP);
}

} // namespace quaderna::loans
