// SPDX-License-Identifier: GPL-3.0-or-later
// The attachments window from the book and the user windows: files copied into the shared folder
// at once, the names handed back by "Applica e chiudi", stored by the caller's Save.

#include "core/catalogue/AllegaCartella.h"
#include "support/AppFixture.h"
#include "support/Books.h"
#include "support/Faults.h"
#include "support/Users.h"

#include <sys/stat.h>

using namespace quaderna;
using namespace quaderna::testing;

namespace {

const std::string kSovrascrivere =
    "Attenzione: nella cartella dei documenti allegati è presente un file con lo stesso nome.\r\n\r\nSi "
    "vuole sovrascrivere il file esistente?";
const std::string kCopiaNonRiuscita =
    "Attenzione: il sistema non permette di copiare il file nella cartella dei documenti allegati.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma e "
    "che sul disco ci sia spazio sufficiente.";

// The window that opens the attachments: the book archive or the user archive, on a stored record.
struct Caller {
    const char* name;
    bool books;
};

class Attachments : public AppFixture, public ::testing::WithParamInterface<Caller> {
protected:
    void SetUp() override {
        app.start();
        app.show(app.frmAvvio);
        if (GetParam().books) {
            storeBooks(dir.path(), {book("Il nome della rosa", "NAR-1")});
            person.click(app.frmAvvio.btnLibri);
            person.click(app.frmLibri.cmdPrimo);
        } else {
            storeUsers(dir.path(), {user("Rossi Mario", "T-1")});
            person.click(app.frmAvvio.btnAnagrafica);
            person.click(app.frmAnagrafica.cmdPrimo);
        }
        std::filesystem::create_directories(dir / "altrove");
        std::filesystem::create_directories(folder());
    }

    Form& window() { return GetParam().books ? static_cast<Form&>(app.frmLibri) : app.frmAnagrafica; }
    Label& label(const char* name) { return *static_cast<Label*>(window().find(name)); }
    // The caller's six labels, as a person cannot see them but Save stores them.
    std::vector<std::string> labels() {
        std::vector<std::string> r;
        for (const char* n : {"lblFile01", "lblDesc01", "lblFile02", "lblDesc02", "lblFile03", "lblDesc03"})
            r.push_back(label(n).text);
        return r;
    }
    // Opens the attachments window and lets the person do `what` in it.
    void attach(std::function<void(TfrmAllegaCartella&)> what) {
        ui.onDialog<TfrmAllegaCartella>(std::move(what));
        person.click(GetParam().books ? app.frmLibri.cmdFile : app.frmAnagrafica.cmdAllega);
    }
    void save() {
        person.click(GetParam().books ? static_cast<Button&>(app.frmLibri.cmdSalva)
                                      : app.frmAnagrafica.cmdSalva);
    }
    // File01 and Desc01 of the stored record.
    std::pair<std::string, std::string> stored() {
        if (GetParam().books) {
            const TLibro b = storedBooks(dir.path()).at(0);
            return {b.File01, b.Desc01};
        }
        const TTesserato u = storedUsers(dir.path()).at(0);
        return {u.File01, u.Desc01};
    }
    // A file somewhere on the disk, for the file dialog to give.
    std::filesystem::path elsewhere(const std::string& name, const std::string& content) {
        writeBytes(dir / "altrove" / name, content);
        return dir / "altrove" / name;
    }
    std::filesystem::path folder() const { return dir / "Documenti_Allegati"; }
};

INSTANTIATE_TEST_SUITE_P(BothCallers, Attachments,
                         ::testing::Values(Caller{"libri", true}, Caller{"anagrafica", false}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace

TEST_P(Attachments, BrowseCopiesAtOnceAndSaveStoresTheNameAndTheDescription) {
    std::filesystem::remove(folder());
    ui.filesToOpen.push_back(elsewhere("Verbale 2022.pdf", "%PDF contenuto"));
    attach([&](TfrmAllegaCartella& d) {
        EXPECT_EQ(d.caption, " Allega file");
        EXPECT_EQ(d.lblMemory.text, GetParam().name);
        EXPECT_FALSE(d.btnApri01.enabled);
        person.click(d.btnSfoglia01);
        // Copied before anything is applied, the folder made on the way.
        EXPECT_EQ(readBytes(folder() / "Verbale 2022.pdf"), "%PDF contenuto");
        EXPECT_EQ(d.txtFile01.text, "Verbale 2022.pdf");
        EXPECT_TRUE(d.btnApri01.enabled);
        person.type(d.txtDesc01, "  Verbale dell'assemblea ");
        person.click(d.btnApplica);
        EXPECT_FALSE(d.visible());
    });
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_EQ(ui.fileDialogs[0].title, "Selezionare il file da allegare:");
    ASSERT_EQ(ui.fileDialogs[0].filters.size(), 1u);
    EXPECT_EQ(ui.fileDialogs[0].filters[0].description, "Tutti i file (*.*)");
    EXPECT_EQ(labels(),
              (std::vector<std::string>{"Verbale 2022.pdf", "Verbale dell'assemblea", "", "", "", ""}));
    // Only Save takes the values to the archive.
    EXPECT_EQ(stored(), (std::pair<std::string, std::string>{"", ""}));
    save();
    EXPECT_EQ(stored(), (std::pair<std::string, std::string>{"Verbale 2022.pdf", "Verbale dell'assemblea"}));
}

TEST_P(Attachments, AFileOfTheSameNameIsReplacedOnlyOnYes) {
    const struct {
        MsgButton answer;
        const char* inFolder;
    } cases[] = {{MsgButton::Yes, "nuovo"}, {MsgButton::No, "vecchio"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.inFolder);
        writeBytes(folder() / "foto.jpg", "vecchio");
        ui.filesToOpen.push_back(elsewhere("foto.jpg", "nuovo"));
        ui.answers = {c.answer};
        ui.messages.clear();
        attach([&](TfrmAllegaCartella& d) {
            person.click(d.btnSfoglia02);
            // Either way the slot names the file, which is the folder's one.
            EXPECT_EQ(d.txtFile02.text, "foto.jpg");
            person.click(d.btnApplica);
        });
        EXPECT_EQ(texts(), std::vector<std::string>{kSovrascrivere});
        EXPECT_EQ(ui.messages[0].kind, Shown::Confirmation);
        EXPECT_EQ(readBytes(folder() / "foto.jpg"), c.inFolder);
        EXPECT_EQ(label("lblFile02").text, "foto.jpg");
    }
}

TEST_P(Attachments, TheOverwriteQuestionNamesTheOtherRecordsThatUseTheFile) {
    // The record on screen names the file itself: that alone asks the question as it stands.
    if (GetParam().books) {
        TLibro own = storedBooks(dir.path()).at(0);
        own.File01 = "foto.jpg";
        writeBytes(dir / "Libri.pro", own.encode());
    } else {
        TTesserato own = storedUsers(dir.path()).at(0);
        own.File01 = "foto.jpg";
        writeBytes(dir / "Tesserati.pro", own.encode());
    }
    writeBytes(folder() / "foto.jpg", "vecchio");
    const auto question = [&] {
        ui.filesToOpen.push_back(elsewhere("foto.jpg", "nuovo"));
        ui.answers = {MsgButton::No};
        ui.messages.clear();
        attach([&](TfrmAllegaCartella& d) {
            person.click(d.btnSfoglia01);
            person.click(d.btnAnnulla);
        });
        EXPECT_EQ(readBytes(folder() / "foto.jpg"), "vecchio");
        return texts();
    };
    EXPECT_EQ(question(), std::vector<std::string>{kSovrascrivere});

    // Other books and users that name it, in any of their three slots; another spelling is
    // another file.
    TLibro canne = book("Canne al vento", "NAR-2");
    canne.File02 = "foto.jpg";
    TLibro elias = book("Elias Portolu", "NAR-3");
    elias.File01 = "Foto.jpg";
    storeBooks(dir.path(), {canne, elias});
    TTesserato bianchi = user("Bianchi Anna", "T-2");
    bianchi.File03 = "foto.jpg";
    storeUsers(dir.path(), {bianchi});
    const std::string head =
        "Attenzione: nella cartella dei documenti allegati è presente un file con lo stesso nome.\r\n\r\n";
    const std::string tail = "\r\n\r\nSi vuole sovrascrivere il file esistente?";
    EXPECT_EQ(question(), std::vector<std::string>{head +
                                                   "Il file è allegato anche ad altre schede:\r\n"
                                                   "- libro \"Canne al vento\" (codice NAR-2)\r\n"
                                                   "- utente Bianchi Anna (tessera n. T-2)" +
                                                   tail});

    // A long list names eight and counts the rest.
    std::vector<TTesserato> many;
    for (int i = 1; i <= 8; ++i) {
        many.push_back(user("Verdi " + std::to_string(i), "V-" + std::to_string(i)));
        many.back().File01 = "foto.jpg";
    }
    storeUsers(dir.path(), many);
    const std::vector<std::string> asked = question();
    ASSERT_EQ(asked.size(), 1u);
    const std::string last = "- utente Verdi 6 (tessera n. V-6)\r\n- e altre 2 schede" + tail;
    EXPECT_EQ(asked[0].substr(0, head.size()), head);
    ASSERT_GE(asked[0].size(), last.size());
    EXPECT_EQ(asked[0].substr(asked[0].size() - last.size()), last);
    EXPECT_EQ(asked[0].find("Verdi 7"), std::string::npos);
}

TEST_P(Attachments, AnnullaKeepsTheLabelsButNotTheCopiedFileBack) {
    label("lblFile01").text = "vecchio.txt";
    label("lblDesc01").text = "Descrizione";
    ui.filesToOpen.push_back(elsewhere("nuovo.txt", "testo"));
    attach([&](TfrmAllegaCartella& d) {
        person.click(d.btnSfoglia01);
        person.type(d.txtDesc01, " cambiata");
        person.click(d.btnAnnulla);
        EXPECT_FALSE(d.visible());
    });
    EXPECT_EQ(labels(), (std::vector<std::string>{"vecchio.txt", "Descrizione", "", "", "", ""}));
    EXPECT_EQ(readBytes(folder() / "nuovo.txt"), "testo");
}

TEST_P(Attachments, ForgetThenSaveStoresNoFileAndKeepsTheDescription) {
    ui.filesToOpen.push_back(elsewhere("a.doc", "documento"));
    attach([&](TfrmAllegaCartella& d) {
        person.click(d.btnSfoglia01);
        person.type(d.txtDesc01, "Contratto");
        person.click(d.btnApplica);
    });
    save();
    attach([&](TfrmAllegaCartella& d) {
        EXPECT_EQ(d.txtFile01.text, "a.doc");
        person.click(d.imgCancella01);
        EXPECT_EQ(d.txtFile01.text, "");
        EXPECT_FALSE(d.btnApri01.enabled);
        EXPECT_EQ(d.txtDesc01.text, "Contratto");
        person.click(d.btnApplica);
    });
    save();
    EXPECT_EQ(stored(), (std::pair<std::string, std::string>{"", "Contratto"}));
    EXPECT_EQ(readBytes(folder() / "a.doc"), "documento");
}

TEST_P(Attachments, ApriIsEnabledForEverySlotTheCallerFills) {
    label("lblFile01").text = " a.pdf ";
    label("lblFile03").text = "   ";
    label("lblDesc02").text = "una descrizione senza file";
    attach([&](TfrmAllegaCartella& d) {
        EXPECT_EQ(d.txtFile01.text, "a.pdf");
        EXPECT_TRUE(d.btnApri01.enabled);
        EXPECT_FALSE(d.btnApri02.enabled);
        EXPECT_FALSE(d.btnApri03.enabled);
        EXPECT_EQ(d.txtDesc02.text, "una descrizione senza file");
        EXPECT_TRUE(d.hasFocus(d.btnSfoglia01));
        person.click(d.btnAnnulla);
    });
}

TEST_P(Attachments, ApriHandsTheFolderFileToTheDesktopAndSaysWhenItCannot) {
    writeBytes(folder() / "relazione finale.odt", "odt");
    label("lblFile01").text = "relazione finale.odt";
    label("lblFile02").text = "sparito.pdf";
    ui.shellOpenSucceeds = true;
    attach([&](TfrmAllegaCartella& d) {
        person.click(d.btnApri01);
        ASSERT_EQ(ui.shellOpened.size(), 1u);
        EXPECT_EQ(ui.shellOpened[0], "\"" + (folder() / "relazione finale.odt").string() + "\"");
        EXPECT_TRUE(ui.messages.empty());

        person.click(d.btnApri02);
        EXPECT_EQ(ui.shellOpened.size(), 1u);
        EXPECT_EQ(ui.lastText(),
                  "Attenzione: il file sparito.pdf non è presente nella cartella dei documenti allegati.");

        ui.shellOpenSucceeds = false;
        person.click(d.btnApri01);
        EXPECT_EQ(ui.lastText(),
                  "Attenzione: il sistema non permette di aprire il file relazione finale.odt."
                  "\n\r\n\rAccertarsi che sul computer sia installato un programma in grado di "
                  "aprire questo tipo di file.");
        EXPECT_TRUE(d.visible());
        person.click(d.btnAnnulla);
    });
}

TEST_P(Attachments, ACancelledFileDialogChangesNothingAndAsksNothing) {
    writeBytes(folder() / "a.pdf", "nella cartella");
    label("lblFile01").text = "a.pdf";
    attach([&](TfrmAllegaCartella& d) {
        person.click(d.btnSfoglia01); // no file chosen
        EXPECT_EQ(d.txtFile01.text, "a.pdf");
        person.click(d.btnApplica);
    });
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(readBytes(folder() / "a.pdf"), "nella cartella");
}

TEST_P(Attachments, AFileChosenFromTheFolderItselfIsAttachedAsItIs) {
    writeBytes(folder() / "già qui.txt", "contenuto");
    ui.filesToOpen.push_back(folder() / "già qui.txt");
    attach([&](TfrmAllegaCartella& d) {
        person.click(d.btnSfoglia03);
        EXPECT_EQ(d.txtFile03.text, "già qui.txt");
        person.click(d.btnApplica);
    });
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(readBytes(folder() / "già qui.txt"), "contenuto");
    EXPECT_EQ(label("lblFile03").text, "già qui.txt");
}

TEST_P(Attachments, ANameTheRecordCannotKeepIsRefusedBeforeAnythingIsCopied) {
    const std::string tooLong = std::string(247, 'x') + ".pdf";
    for (const std::string& name : {std::string("Отчёт.pdf"), tooLong}) {
        SCOPED_TRACE(name.substr(0, 20));
        ui.filesToOpen.push_back(elsewhere(name, "x"));
        ui.messages.clear();
        attach([&](TfrmAllegaCartella& d) {
            person.click(d.btnSfoglia01);
            EXPECT_EQ(d.txtFile01.text, "");
            person.click(d.btnAnnulla);
        });
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].kind, Shown::Warning);
        EXPECT_EQ(
            ui.messages[0].text.rfind("Attenzione: il nome del file scelto non può essere conservato", 0),
            0u);
        EXPECT_FALSE(std::filesystem::exists(folder() / name));
    }
}

TEST_P(Attachments, AnyOtherMarkerWritesNothingAndTheWindowStaysOpen) {
    label("lblFile01").text = "a.pdf";
    ui.onDialog<TfrmAllegaCartella>([&](TfrmAllegaCartella& d) {
        person.click(d.imgCancella01);
        person.click(d.btnApplica);
        EXPECT_TRUE(d.visible());
        person.click(d.btnAnnulla);
    });
    app.runDialog<TfrmAllegaCartella>(window(), "tessera", [&](TfrmAllegaCartella& d) {
        d.fill({&label("lblFile01"), &label("lblDesc01"), &label("lblFile02"), &label("lblDesc02"),
                &label("lblFile03"), &label("lblDesc03")});
    });
    EXPECT_EQ(label("lblFile01").text, "a.pdf");
}

// Faults: a copy that cannot be finished leaves no half file and no name of a file not there.
TEST_P(Attachments, AFullDiskLeavesTheOldFileWholeAndTheSlotAsItWas) {
    const std::string old(3000, 'o');
    writeBytes(folder() / "grande.bin", old);
    std::string big(3 * (std::size_t{1} << 20) + 17, '\0');
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 7 + i / 4096);
    const auto source = elsewhere("grande.bin", big);
    label("lblFile01").text = "prima.txt";
    ui.filesToOpen.push_back(source);
    attach([&](TfrmAllegaCartella& d) {
        {
            DiskFull full(std::size_t{1} << 20);
            person.click(d.btnSfoglia01);
        }
        EXPECT_EQ(d.txtFile01.text, "prima.txt");
        EXPECT_EQ(ui.lastText(), kCopiaNonRiuscita);
        EXPECT_EQ(readBytes(folder() / "grande.bin"), old);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder()), {}), 1);
        // With room on the disk the same copy is whole, byte for byte.
        ui.filesToOpen.push_back(source);
        person.click(d.btnSfoglia01);
        EXPECT_EQ(d.txtFile01.text, "grande.bin");
        EXPECT_EQ(readBytes(folder() / "grande.bin"), big);
        person.click(d.btnAnnulla);
    });
}

TEST_P(Attachments, AFolderThatTakesNoFilesAndAPipeAreSaidAndLeaveTheSlotAsItWas) {
    std::filesystem::create_directories(folder());
    makeReadOnly(folder());
    ui.filesToOpen.push_back(elsewhere("a.txt", "a"));
    const auto pipe = dir / "altrove" / "tubo";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    ui.filesToOpen.push_back(pipe);
    HangGuard guard(20);
    attach([&](TfrmAllegaCartella& d) {
        person.click(d.btnSfoglia01);
        EXPECT_EQ(d.txtFile01.text, "");
        EXPECT_EQ(ui.lastText(), kCopiaNonRiuscita);
        std::filesystem::permissions(folder(), std::filesystem::perms::owner_all);
        person.click(d.btnSfoglia01);
        EXPECT_EQ(d.txtFile01.text, "");
        EXPECT_EQ(ui.messages.size(), 2u);
        EXPECT_EQ(ui.lastText(), kCopiaNonRiuscita);
        person.click(d.btnAnnulla);
    });
    EXPECT_FALSE(std::filesystem::exists(folder() / "a.txt"));
    EXPECT_FALSE(std::filesystem::exists(folder() / "tubo"));
}
