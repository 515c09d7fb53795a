// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/users/PartitaIva.h"

#include "core/Application.h"
#include "core/forms/KeyFilters.h"
#include "core/text/Text.h"

#include <algorithm>
#include <array>
#include <vector>

namespace quaderna {

namespace {

constexpr const char* kLunghezza =
    "Attenzione: la partita IVA deve essere composta da 11 caratteri numerici.";
constexpr const char* kValida =
    "Il numero di partita IVA digitato risulta VALIDO.\r\n\r\nE' stato rilasciato "
    "dall'Ufficio IVA del Comune di ";
constexpr const char* kErrata = "Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\nNon "
                                "è quindi possibile fornire "
                                "informazioni relative all'Ufficio IVA che lo ha rilasciato.";

struct Ufficio {
    const char* codice;
    const char* nome;
};

constexpr std::array<Ufficio, 104> kUffici = {{
    {"001", "Torino"},
    {"002", "Vercelli"},
    {"003", "Novara"},
    {"004", "Cuneo"},
    {"005", "Asti"},
    {"006", "Alessandria"},
    {"007", "Aosta"},
    {"008", "Imperia"},
    {"009", "Savona"},
    {"010", "Genova 1"},
    {"011", "La Spezia"},
    {"012", "Varese"},
    {"013", "Como"},
    {"014", "Sondrio"},
    {"015", "Milano 1"},
    {"016", "Bergamo"},
    {"017", "Brescia 1"},
    {"018", "Pavia"},
    {"019", "Cremona"},
    {"020", "Mantova"},
    {"021", "Bolzano"},
    {"022", "Trento"},
    {"023", "Verona"},
    {"024", "Vicenza"},
    {"025", "Belluno"},
    {"026", "Treviso"},
    {"027", "Venezia"},
    {"028", "Padova"},
    {"029", "Rovigo"},
    {"030", "Udine"},
    {"031", "Gorizia"},
    {"032", "Trieste"},
    {"033", "Piacenza"},
    {"034", "Parma"},
    {"035", "Reggio Emilia"},
    {"036", "Modena"},
    {"037", "Bologna 1"},
    {"038", "Ferrara"},
    {"039", "Ravenna"},
    {"040", "Forlì"},
    {"041", "Pesaro"},
    {"042", "Ancona"},
    {"043", "Macerata"},
    {"044", "Ascoli Piceno"},
    {"045", "Massa Carrara"},
    {"046", "Lucca"},
    {"047", "Pistoia"},
    {"048", "Firenze 1"},
    {"049", "Livorno"},
    {"050", "Pisa"},
    {"051", "Arezzo"},
    {"052", "Siena"},
    {"053", "Grosseto"},
    {"054", "Perugia"},
    {"055", "Terni"},
    {"056", "Viterbo"},
    {"057", "Rieti"},
    {"058", "Roma 1"},
    {"059", "Latina"},
    {"060", "Frosinone"},
    {"061", "Caserta"},
    {"062", "Benevento"},
    {"063", "Napoli 1"},
    {"064", "Avellino"},
    {"065", "Salerno"},
    {"066", "Aquila"},
    {"067", "Teramo"},
    {"068", "Pescara"},
    {"069", "Chieti"},
    {"070", "Campobasso"},
    {"071", "Foggia"},
    {"072", "Bari"},
    {"073", "Taranto"},
    {"074", "Brindisi"},
    {"075", "Lecce"},
    {"076", "Potenza"},
    {"077", "Matera"},
    {"078", "Cosenza"},
    {"079", "Catanzaro"},
    {"080", "Reggio Calabria"},
    {"081", "Trapani"},
    {"082", "Palermo"},
    {"083", "Messina"},
    {"084", "Agrigento"},
    {"085", "Caltanissetta"},
    {"086", "Enna"},
    {"087", "Catania"},
    {"088", "Ragusa"},
    {"089", "Siracusa"},
    {"090", "Sassari"},
    {"091", "Nuoro"},
    {"092", "Cagliari"},
    {"093", "Pordenone"},
    {"094", "Isernia"},
    {"095", "Oristano"},
    {"096", "Monza (Milano 2)"},
    {"097", "Prato (Firenze 2)"},
    {"098", "Brescia 2"},
    {"099", "Chiavari (Genova 2)"},
    {"100", "Roma 2"},
    {"101", "Bologna 2"},
    {"102", "Napoli 2"},
    {"120", "Bologna 2"},
    {"121", "Napoli 2"},
}};

std::vector<char32_t> characters(std::string_view s) {
    std::vector<char32_t> r;
    for (std::size_t i = 0; i < s.size();)
        r.push_back(text::nextCodePoint(s, i));
    return r;
}

// Eleven digits whose last is the check digit of the first ten: the digits at the odd positions
// count as they are, those at the even positions doubled, less 9 when the double exceeds 9.
bool valida(const std::vector<char32_t>& numero) {
    if (!std::all_of(numero.begin(), numero.end(), [](char32_t c) { return c >= U'0' && c <= U'9'; }))
        return false;
    int somma = 0;
    for (std::size_t i = 0; i < 10; ++i) {
        int d = static_cast<int>(numero[i] - U'0');
        if (i % 2 == 1) {
            d *= 2;
            if (d > 9)
                d -= 9;
        }
        somma += d;
    }
    return static_cast<int>(numero[10] - U'0') == (10 - somma % 10) % 10;
}

} // namespace

namespace partitaiva {

std::string ufficio(std::string_view codice) {
    for (const Ufficio& u : kUffici)
        if (codice == u.codice)
            return u.nome;
    return {};
}

} // namespace partitaiva

TfrmPartitaIva::TfrmPartitaIva(Application& app) : Form(app, "TfrmPartitaIva", " Controllo partita IVA") {
    txtPartitaIva.onKeyDown = [this](Key& k) { txtPartitaIvaKeyDown(k); };
    btnControlla.onClick = [this] { btnControllaClick(); };
    btnChiudi.onClick = [this] { btnChiudiClick(); };
}

void TfrmPartitaIva::FormCreate() {
    txtPartitaIva.maxLength = 11;
}

void TfrmPartitaIva::FormShow() {
    setFocus(txtPartitaIva);
}

void TfrmPartitaIva::txtPartitaIvaKeyDown(Key& key) {
    if (key.code == VK::Return) {
        setFocus(btnControlla);
        return;
    }
    digitsOnly(key);
}

void TfrmPartitaIva::btnControllaClick() {
    const std::vector<char32_t> numero = characters(text::upperAZ(txtPartitaIva.text));
    if (numero.size() != 11) {
        ui().messageBox(kLunghezza, MsgKind::Warning);
        setFocus(txtPartitaIva);
        return;
    }
    if (valida(numero)) {
        // All eleven characters are digits here, one byte each.
        const std::string nome = partitaiva::ufficio(std::string_view(txtPartitaIva.text).substr(7, 3));
        ui().messageBox(kValida + nome + ".", MsgKind::Information);
    } else {
        ui().messageBox(kErrata, MsgKind::Warning);
    }
    app.close(*this);
}

void TfrmPartitaIva::btnChiudiClick() {
    app.close(*this);
}

} // namespace quaderna
