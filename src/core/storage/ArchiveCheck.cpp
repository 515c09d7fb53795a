#include "core/storage/ArchiveCheck.h"

#include "core/storage/Files.h"
#include "core/storage/Libro.h"
#include "core/storage/Prestito.h"
#include "core/storage/Tesserato.h"
#include "core/text/Date.h"
#include "core/text/Text.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace quaderna::check {

namespace {

constexpr std::size_t kChunkRecords = 256;
constexpr std::string_view kTessera = "Tessera n.";

// A stored text as it can be shown on a terminal: control characters become '?'.
std::string shown(std::string_view utf8) {
    std::string s(utf8);
    for (char& c : s)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    return "\"" + s + "\"";
}

// The key by which codes are compared: trimmed, letters a-z taken as A-Z (as the code check does).
std::string codeKey(std::string_view stored) {
    return text::upperAZ(text::trim(stored));
}

class Checker {
public:
    explicit Checker(const std::filesystem::path& dir) : dir_(dir) {}

    Report report;

    void add(const std::string& file, std::int64_t record, std::string text) {
        report.findings.push_back({file, record, std::move(text)});
    }

    // Reads every whole record of a file without creating or changing it; false when it is missing.
    bool records(const std::string& name, std::size_t size,
                 const std::function<void(std::string_view, std::int64_t)>& onRecord) {
        const auto path = dir_ / name;
        int fd = -1;
        try {
            errno = 0;
            fd = files::openRegular(path, O_RDONLY);
        } catch (const IoError&) {
            add(name, 0, "non è un file ordinario (una cartella, un dispositivo o una FIFO al suo posto).");
            return false;
        }
        if (fd < 0) {
            if (errno != ENOENT)
                add(name, 0, "non è leggibile.");
            return false;
        }
        struct stat st {};
        ::fstat(fd, &st);
        const auto bytes = static_cast<std::uint64_t>(st.st_size);
        const std::int64_t count = static_cast<std::int64_t>(bytes / size);
        report.files.emplace_back(name, count);
        if (bytes % size != 0)
            add(name, 0,
                "la dimensione (" + std::to_string(bytes) + " byte) non è un multiplo della scheda (" +
                    std::to_string(size) + " byte): gli ultimi " + std::to_string(bytes % size) +
                    " byte non formano una scheda intera.");
        std::string chunk(kChunkRecords * size, '\0');
        std::int64_t index = 0;
        while (index < count) {
            const auto want =
                static_cast<std::size_t>(std::min<std::int64_t>(kChunkRecords, count - index)) * size;
            std::size_t done = 0;
            while (done < want) {
                const ssize_t n =
                    ::pread(fd, chunk.data() + done, want - done,
                            static_cast<off_t>(index) * static_cast<off_t>(size) + static_cast<off_t>(done));
                if (n < 0 && errno == EINTR)
                    continue;
                if (n <= 0) {
                    add(name, index + 1, "non è leggibile dal disco.");
                    ::close(fd);
                    return true;
                }
                done += static_cast<std::size_t>(n);
            }
            for (std::size_t at = 0; at < want; at += size, ++index)
                onRecord(std::string_view(chunk.data() + at, size), index + 1);
        }
        ::close(fd);
        return true;
    }

    template <class R> void fields(const std::string& file, std::string_view rec, std::int64_t n) {
        for (const auto& f : R::Fields) {
            const auto len = static_cast<unsigned char>(rec[f.place.offset]);
            if (len > f.place.width)
                add(file, n,
                    std::string("il campo ") + f.name + " dichiara " + std::to_string(len) +
                        " caratteri, oltre i " + std::to_string(f.place.width) + " previsti.");
        }
    }

    void flag(const std::string& file, std::int64_t n, const char* name, std::string_view rec, FieldSpec f) {
        const std::string v = readField(rec, f);
        if (text::trimView(v) != kSi && text::trimView(v) != kNo)
            add(file, n,
                std::string("il campo ") + name + " vale " + shown(v) + " invece di \"Sì\" o \"No\".");
    }

    void date(const std::string& file, std::int64_t n, const char* name, std::string_view rec, FieldSpec f,
              bool required) {
        const std::string v = text::trim(readField(rec, f));
        if (v.empty()) {
            if (required)
                add(file, n, std::string("la data ") + name + " manca.");
            return;
        }
        if (!Date::parse(v))
            add(file, n, std::string("la data ") + name + " " + shown(v) + " non è una data valida.");
    }

    void run() {
        std::set<std::string> cards;
        records(TTesserato::FileName, TTesserato::Size, [&](std::string_view rec, std::int64_t n) {
            const std::string file = TTesserato::FileName;
            fields<TTesserato>(file, rec, n);
            flag(file, n, "Annullata", rec, TTesserato::F::Annullata);
            date(file, n, "DataRil", rec, TTesserato::F::DataRil, true);
            date(file, n, "DataScade", rec, TTesserato::F::DataScade, true);
            date(file, n, "DataNasc", rec, TTesserato::F::DataNasc, false);
            cards.insert(text::trim(readField(rec, TTesserato::F::NumTessera)));
        });

        std::set<std::string> codes;
        struct Lent {
            std::int64_t record;
            std::string code, how; // how the record says it is lent
        };
        std::vector<Lent> lent;
        records(TLibro::FileName, TLibro::Size, [&](std::string_view rec, std::int64_t n) {
            const std::string file = TLibro::FileName;
            fields<TLibro>(file, rec, n);
            flag(file, n, "Convalida", rec, TLibro::F::Convalida);
            flag(file, n, "Annullata", rec, TLibro::F::Annullata);
            date(file, n, "Scadenza", rec, TLibro::F::Scadenza, false);
            const std::string code = codeKey(readField(rec, TLibro::F::Codice));
            codes.insert(code);
            const std::string prestato = text::trim(readField(rec, TLibro::F::Prestato));
            const std::string scadenza = text::trim(readField(rec, TLibro::F::Scadenza));
            if (prestato.rfind(kTessera, 0) == 0)
                lent.push_back({n, code, shown(prestato)});
            else if (!scadenza.empty())
                lent.push_back({n, code, "scadenza " + shown(scadenza)});
        });

        std::vector<std::string> years;
        std::error_code ec;
        for (auto it = std::filesystem::directory_iterator(dir_, ec);
             !ec && it != std::filesystem::directory_iterator(); it.increment(ec))
            if (loans::isYearFileName(it->path().filename().string()))
                years.push_back(it->path().filename().string());
        std::sort(years.begin(), years.end());
        std::set<std::string> openLoans;
        for (const std::string& year : years)
            records(year, TPrestito::Size, [&](std::string_view rec, std::int64_t n) {
                fields<TPrestito>(year, rec, n);
                const TPrestito p = TPrestito::decode(rec);
                date(year, n, "Data", rec, TPrestito::F::Data, true);
                date(year, n, "DataSca", rec, TPrestito::F::DataSca, true);
                date(year, n, "DataRes", rec, TPrestito::F::DataRes, false);
                const std::string card = text::trim(p.NumTessera);
                if (!cards.count(card))
                    add(year, n, "la tessera n. " + shown(card) + " non appartiene a nessun utente.");
                const std::string code = codeKey(p.Codice);
                if (!codes.count(code))
                    add(year, n,
                        "il libro con codice " + shown(text::trim(p.Codice)) + " non è in archivio.");
                if (p.open())
                    openLoans.insert(code);
            });

        for (const Lent& l : lent)
            if (!openLoans.count(l.code))
                add(TLibro::FileName, l.record,
                    "il libro risulta prestato (" + l.how + ") ma nessun prestito aperto lo riguarda.");
    }

private:
    std::filesystem::path dir_;
};

} // namespace

Report checkArchives(const std::filesystem::path& dataDir) {
    struct stat st {};
    if (::stat(dataDir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) ||
        ::access(dataDir.c_str(), R_OK | X_OK) != 0)
        throw IoError("cannot read the folder " + dataDir.string(), errno ? errno : ENOTDIR);
    Checker c(dataDir);
    c.run();
    return std::move(c.report);
}

int run(const std::filesystem::path& dataDir, std::ostream& out) {
    out << "Controllo degli archivi nella cartella " << dataDir.string() << "\n";
    Report r;
    try {
        r = checkArchives(dataDir);
    } catch (const IoError&) {
        out << "Attenzione: non è possibile leggere la cartella " << dataDir.string() << ".\n";
        return 2;
    }
    for (const auto& [name, count] : r.files)
        out << "  " << name << ": " << count << (count == 1 ? " scheda" : " schede") << "\n";
    if (r.files.empty())
        out << "  La cartella non contiene archivi.\n";
    for (const Finding& f : r.findings) {
        out << f.file;
        if (f.record > 0)
            out << ", scheda " << f.record;
        out << ": " << f.text << "\n";
    }
    if (r.clean()) {
        out << "Nessun problema trovato.\n";
        return 0;
    }
    out << (r.findings.size() == 1 ? "Trovato 1 problema.\n"
                                   : "Trovati " + std::to_string(r.findings.size()) + " problemi.\n");
    return 1;
}

} // namespace quaderna::check
