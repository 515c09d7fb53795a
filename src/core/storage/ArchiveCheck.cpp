// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/storage/ArchiveCheck.h"

#include "core/storage/Backup.h"
#include "core/storage/Files.h"
#include "core/storage/Libro.h"
#include "core/storage/Prestito.h"
#include "core/storage/RecordFile.h"
#include "core/storage/Tesserato.h"
#include "core/text/Date.h"
#include "core/text/Text.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <map>
#include <memory>
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

// A book record as the loans see it.
struct Copy {
    std::int64_t record = 0; // 1-based
    std::string raw, code;
    bool lent = false;  // "Tessera n. ..." or a due date
    bool named = false; // lent to a card it names
    bool cancelled = false;
    std::string card, due, how;
    std::int64_t loan = -1; // the open loan it belongs to (index), when there is one
    bool given = false;     // taken by a repair already
};

struct OpenLoan {
    std::string file;
    std::int64_t record = 0; // 1-based
    std::string raw, code, shownCode, card, due;
    std::int64_t copy = -1; // the copy it belongs to (index)
};

std::string where(const std::string& file, std::int64_t record) {
    return file + ", scheda " + std::to_string(record);
}

class Checker {
public:
    explicit Checker(const std::filesystem::path& dir) : dir_(dir) {}

    Report report;

    void add(const std::string& file, std::int64_t record, std::string text,
             std::optional<Repair> repair = std::nullopt) {
        report.findings.push_back({file, record, std::move(text), std::move(repair)});
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
        if (bytes % size != 0) {
            Repair cut;
            cut.kind = Repair::Kind::CutPartial;
            cut.file = name;
            cut.size = bytes;
            cut.what = "togliere gli ultimi " + std::to_string(bytes % size) +
                       " byte, che non formano una scheda (restano nella copia del giorno, in Backup)";
            add(name, 0,
                "la dimensione (" + std::to_string(bytes) + " byte) non è un multiplo della scheda (" +
                    std::to_string(size) + " byte): gli ultimi " + std::to_string(bytes % size) +
                    " byte non formano una scheda intera.",
                std::move(cut));
        }
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
        std::vector<Copy> copies;
        records(TLibro::FileName, TLibro::Size, [&](std::string_view rec, std::int64_t n) {
            const std::string file = TLibro::FileName;
            fields<TLibro>(file, rec, n);
            flag(file, n, "Convalida", rec, TLibro::F::Convalida);
            flag(file, n, "Annullata", rec, TLibro::F::Annullata);
            date(file, n, "Scadenza", rec, TLibro::F::Scadenza, false);
            Copy c;
            c.record = n;
            c.raw = std::string(rec);
            c.code = codeKey(readField(rec, TLibro::F::Codice));
            codes.insert(c.code);
            const std::string prestato = text::trim(readField(rec, TLibro::F::Prestato));
            c.due = text::trim(readField(rec, TLibro::F::Scadenza));
            c.cancelled = text::trimView(readField(rec, TLibro::F::Annullata)) != kNo;
            if (prestato.rfind(kTessera, 0) == 0) {
                c.lent = c.named = true;
                c.card = text::trim(std::string_view(prestato).substr(kTessera.size()));
                c.how = shown(prestato);
            } else if (!c.due.empty()) {
                c.lent = true;
                c.how = "scadenza " + shown(c.due);
            }
            copies.push_back(std::move(c));
        });

        std::vector<std::string> years;
        std::error_code ec;
        for (auto it = std::filesystem::directory_iterator(dir_, ec);
             !ec && it != std::filesystem::directory_iterator(); it.increment(ec))
            if (loans::isYearFileName(it->path().filename().string()))
                years.push_back(it->path().filename().string());
        std::sort(years.begin(), years.end());
        std::vector<OpenLoan> open;
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
                else if (p.open())
                    open.push_back({year, n, std::string(rec), code, text::trim(p.Codice), card,
                                    text::trim(p.DataSca), -1});
            });

        matchLoans(copies, open);
    }

    // Pairs open loans with the copies they lent, code by code, and reports what is left over.
    void matchLoans(std::vector<Copy>& copies, std::vector<OpenLoan>& open) {
        std::map<std::string, std::vector<std::size_t>> byCode;
        for (std::size_t c = 0; c < copies.size(); ++c)
            byCode[copies[c].code].push_back(c);
        const auto pair = [&](const std::function<bool(const Copy&, const OpenLoan&)>& fits) {
            for (std::size_t l = 0; l < open.size(); ++l) {
                if (open[l].copy >= 0)
                    continue;
                for (std::size_t c : byCode[open[l].code]) {
                    Copy& copy = copies[c];
                    if (copy.lent && copy.loan < 0 && fits(copy, open[l])) {
                        copy.loan = static_cast<std::int64_t>(l);
                        open[l].copy = static_cast<std::int64_t>(c);
                        break;
                    }
                }
            }
        };
        pair([](const Copy& c, const OpenLoan& l) { return c.named && c.card == l.card && c.due == l.due; });
        pair([](const Copy& c, const OpenLoan& l) { return c.named && c.card == l.card; });
        pair([](const Copy& c, const OpenLoan&) { return !c.named; });

        for (OpenLoan& l : open) {
            if (l.copy >= 0)
                continue;
            const std::vector<std::size_t>& same = byCode[l.code];
            // An available copy first (one not cancelled before a cancelled one), then a copy lent
            // to another card with no loan of its own.
            Copy* target = nullptr;
            for (const bool cancelledToo : {false, true})
                for (std::size_t c : same)
                    if (!target && !copies[c].lent && !copies[c].given &&
                        (cancelledToo || !copies[c].cancelled))
                        target = &copies[c];
            const bool available = target != nullptr;
            for (std::size_t c : same)
                if (!target && copies[c].lent && copies[c].loan < 0 && !copies[c].given)
                    target = &copies[c];
            const std::string whose = "il prestito aperto della tessera n. " + shown(l.card) + " (scadenza " +
                                      shown(l.due) + ") riguarda il libro con codice " + shown(l.shownCode);
            if (target) {
                target->given = true;
                Repair r;
                r.kind = Repair::Kind::MarkLent;
                r.file = TLibro::FileName;
                r.record = target->record - 1;
                r.seen = target->raw;
                r.bytes = target->raw;
                writeField(r.bytes, TLibro::F::Prestato, std::string(kTessera) + " " + l.card);
                writeField(r.bytes, TLibro::F::Scadenza, l.due);
                r.otherFile = l.file;
                r.otherRecord = l.record - 1;
                r.otherSeen = l.raw;
                r.what = "segnare il libro di " + where(TLibro::FileName, target->record) +
                         " come prestato alla tessera n. " + shown(l.card) + " con scadenza " + shown(l.due) +
                         " (se il libro è già tornato, registrarne poi la restituzione)";
                add(l.file, l.record,
                    whose +
                        (available
                             ? ", che risulta disponibile (" + where(TLibro::FileName, target->record) + ")."
                             : ", che risulta prestato (" + target->how + ", " +
                                   where(TLibro::FileName, target->record) + ") senza un prestito aperto."),
                    std::move(r));
                continue;
            }
            // Every copy is lent under another open loan: this one is a loan too many.
            std::vector<std::size_t> held;
            for (std::size_t c : same)
                if (copies[c].loan >= 0)
                    held.push_back(c);
            if (held.empty())
                continue;
            const Copy& copy = copies[held.front()];
            const OpenLoan& other = open[static_cast<std::size_t>(copy.loan)];
            Repair r;
            r.kind = Repair::Kind::CloseLoan;
            r.file = l.file;
            r.record = l.record - 1;
            r.seen = l.raw;
            r.otherFile = TLibro::FileName;
            r.otherRecord = copy.record - 1;
            r.otherSeen = copy.raw;
            r.what = "chiudere questo prestito con la data di oggi come data di restituzione; il libro resta "
                     "prestato come è";
            if (same.size() == 1)
                add(l.file, l.record,
                    "il libro con codice " + shown(l.shownCode) +
                        " ha due prestiti aperti: questo, della tessera n. " + shown(l.card) +
                        ", e quello di " + where(other.file, other.record) + ", della tessera n. " +
                        shown(other.card) + ", a cui risulta prestato (" +
                        where(TLibro::FileName, copy.record) + ").",
                    std::move(r));
            else
                add(l.file, l.record,
                    "il libro con codice " + shown(l.shownCode) +
                        " ha più prestiti aperti che copie prestate: " + "ognuna delle sue " +
                        std::to_string(same.size()) +
                        " copie è già legata a un altro prestito aperto; questo, della tessera n. " +
                        shown(l.card) + ", non ne ha nessuna.",
                    std::move(r));
        }

        for (const Copy& c : copies) {
            if (!c.lent || c.loan >= 0 || c.given)
                continue;
            Repair r;
            r.kind = Repair::Kind::MakeAvailable;
            r.file = TLibro::FileName;
            r.record = c.record - 1;
            r.seen = c.raw;
            r.bytes = c.raw;
            writeField(r.bytes, TLibro::F::Prestato, kLibroDisponibile);
            writeField(r.bytes, TLibro::F::Scadenza, "");
            r.what = "rendere il libro disponibile per il prestito";
            add(TLibro::FileName, c.record,
                "il libro risulta prestato (" + c.how + ") ma nessun prestito aperto lo riguarda.",
                std::move(r));
        }
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

std::size_t Report::repairable() const {
    return static_cast<std::size_t>(std::count_if(findings.begin(), findings.end(),
                                                  [](const Finding& f) { return f.repair.has_value(); }));
}

namespace {

std::string place(const Finding& f) {
    return f.record > 0 ? where(f.file, f.record) : f.file;
}

// The report of one check; false when the folder could not be read.
bool report(const std::filesystem::path& dataDir, std::ostream& out, Report& r) {
    try {
        r = checkArchives(dataDir);
    } catch (const IoError&) {
        out << "Attenzione: non è possibile leggere la cartella " << dataDir.string() << ".\n";
        return false;
    }
    for (const auto& [name, count] : r.files)
        out << "  " << name << ": " << count << (count == 1 ? " scheda" : " schede") << "\n";
    if (r.files.empty())
        out << "  La cartella non contiene archivi.\n";
    for (const Finding& f : r.findings) {
        out << place(f) << ": " << f.text << "\n";
        if (f.repair)
            out << "    riparazione: " << f.repair->what << ".\n";
    }
    if (r.clean())
        out << "Nessun problema trovato.\n";
    else
        out << (r.findings.size() == 1 ? "Trovato 1 problema.\n"
                                       : "Trovati " + std::to_string(r.findings.size()) + " problemi.\n");
    return true;
}

bool yes(std::string answer) {
    answer = text::trim(answer);
    for (char& c : answer)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return answer == "s" || answer == "si" || answer == "sì" || answer == "y" || answer == "yes";
}

bool sameRecord(RecordFile& file, std::int64_t k, const std::string& seen) {
    std::vector<char> now;
    return file.readAt(k, now, 1) == 1 && std::string_view(now.data(), now.size()) == seen;
}

} // namespace

int run(const std::filesystem::path& dataDir, std::ostream& out) {
    out << "Controllo degli archivi nella cartella " << dataDir.string() << "\n";
    Report r;
    if (!report(dataDir, out, r))
        return 2;
    if (r.clean())
        return 0;
    if (const std::size_t n = r.repairable())
        out << (n == 1 ? "1 problema si può riparare" : std::to_string(n) + " problemi si possono riparare")
            << " con quaderna --check --ripara, che chiede conferma prima di ogni modifica e prima copia "
               "ogni archivio da modificare in Backup.\n";
    return 1;
}

std::string apply(const std::filesystem::path& dataDir, const Repair& r, const Date& today) {
    // The files in the order of their locks: Libri.pro before the loan files, as a loan takes them.
    std::vector<std::string> names{r.file};
    if (!r.otherFile.empty() && r.otherFile != r.file)
        names.push_back(r.otherFile);
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return a == TLibro::FileName && b != TLibro::FileName;
    });
    try {
        std::error_code ec;
        for (const std::string& name : names)
            if (!std::filesystem::is_regular_file(dataDir / name, ec))
                return "l'archivio " + name + " non c'è più";
        std::map<std::string, std::unique_ptr<RecordFile>> open;
        std::vector<std::unique_ptr<RecordFile::Lock>> locks;
        const auto sizeOf = [](const std::string& name) {
            return name == TLibro::FileName       ? TLibro::Size
                   : name == TTesserato::FileName ? TTesserato::Size
                                                  : TPrestito::Size;
        };
        for (const std::string& name : names) {
            auto& file = open[name];
            file = std::make_unique<RecordFile>(dataDir / name, sizeOf(name));
            locks.push_back(std::make_unique<RecordFile::Lock>(*file));
        }
        RecordFile& target = *open[r.file];
        if (r.kind == Repair::Kind::CutPartial) {
            if (std::filesystem::file_size(dataDir / r.file) != r.size)
                return "il file è cambiato dopo il controllo";
        } else if (!sameRecord(target, r.record, r.seen) ||
                   (r.otherRecord >= 0 && !sameRecord(*open[r.otherFile], r.otherRecord, r.otherSeen)))
            return "le schede sono cambiate dopo il controllo";
        try {
            backup::beforeWrite(dataDir, dataDir / r.file, today);
        } catch (const std::exception&) {
            return "la copia del giorno di " + r.file + " non è riuscita";
        }
        if (r.kind == Repair::Kind::CutPartial) {
            target.cutPartialRecord();
            return {};
        }
        std::string bytes = r.bytes;
        if (r.kind == Repair::Kind::CloseLoan) {
            bytes = r.seen;
            writeField(bytes, TPrestito::F::DataRes, today.format());
        }
        target.writeAt(r.record, bytes);
        return {};
    } catch (const ArchiveBusy&) {
        return "l'archivio è in uso da un'altra postazione";
    } catch (const IoError&) {
        return "l'archivio non si può scrivere";
    }
}

int repair(const std::filesystem::path& dataDir, std::ostream& out, std::istream& in, const Date& today) {
    out << "Controllo degli archivi nella cartella " << dataDir.string() << "\n";
    Report r;
    if (!report(dataDir, out, r))
        return 2;
    if (r.clean())
        return 0;
    if (r.repairable() == 0) {
        out << "Nessuno dei problemi trovati si può riparare dal programma.\n";
        return 1;
    }
    out << "\nRiparazioni (prima di ogni modifica l'archivio viene copiato in Backup):\n";
    int made = 0;
    for (const Finding& f : r.findings) {
        if (!f.repair)
            continue;
        out << place(f) << ": " << f.repair->what << "? [s/N] " << std::flush;
        std::string answer;
        if (!std::getline(in, answer)) {
            out << "\nNessuna risposta: nessun'altra modifica.\n";
            break;
        }
        if (!yes(answer)) {
            out << "  Nessuna modifica.\n";
            continue;
        }
        const std::string why = apply(dataDir, *f.repair, today);
        if (why.empty()) {
            out << "  Fatto.\n";
            ++made;
        } else {
            out << "  Non riparato: " << why << ".\n";
        }
    }
    if (made == 0)
        return 1;
    out << "\nControllo dopo le riparazioni:\n";
    Report after;
    if (!report(dataDir, out, after))
        return 2;
    return after.clean() ? 0 : 1;
}

} // namespace quaderna::check
