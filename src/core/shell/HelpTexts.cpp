// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/HelpTexts.h"

namespace quaderna::help {

std::string Topic::text() const {
    std::string r;
    for (std::string_view p : paragraphs) {
        if (!r.empty())
            r += Paragrafo;
        r += p;
    }
    return r;
}

const std::vector<Topic>& topics() {
    static const std::vector<Topic> all = {
        {Panoramica,
         {
             "Quaderna 3.0 è il programma per la gestione di una piccola biblioteca. Conserva il catalogo "
             "dei libri e l'anagrafica degli utenti iscritti, registra i prestiti e le restituzioni, tiene "
             "lo storico dei prestiti di ogni anno con le statistiche mensili, stampa le tessere "
             "d'iscrizione, le schede e gli elenchi, ed esporta gli archivi in file di Microsoft Excel. "
             "Ogni modifica è scritta negli archivi nel momento in cui si preme Salva o si conferma "
             "l'operazione: all'uscita dal programma non resta nulla da salvare.",
             "Il menu principale presenta sei ambienti di lavoro. ANAGRAFICA UTENTI registra gli utenti "
             "con la foto, i recapiti, i dati della tessera e fino a tre documenti allegati; da qui si "
             "cercano gli utenti, si controllano le tessere in attesa di rinnovo e si inviano gli avvisi "
             "di scadenza per posta elettronica. ARCHIVIO LIBRI cataloga i libri, con la convalida del "
             "codice identificativo, la Tabella dei Codici Dewey, la ricerca sul Web tramite l'ISBN, gli "
             "allegati, la stampa della scheda e l'esportazione in Excel. STAMPA TESSERE stampa le "
             "tessere d'iscrizione degli utenti con i dati e il logo della biblioteca.",
             "PRESTITI E RESTITUZIONI apre un sottomenu dal quale si registrano i prestiti dell'anno in "
             "corso e la riconsegna dei libri. STORICO E STATISTICHE apre un sottomenu con il riepilogo "
             "storico dei prestiti di un periodo dell'anno, l'esportazione del registro dei prestiti e "
             "dei prestiti scaduti, e i grafici statistici dei prestiti mensili. CONSULTAZIONE CATALOGO "
             "permette ai lettori di consultare le schede dei libri in sola lettura: uscendo da questo "
             "ambiente il programma termina, così che chi consulta il catalogo non possa raggiungere le "
             "finestre che inseriscono o modificano i dati.",
             "Chiudendo un ambiente di lavoro si torna al menu principale. Ogni ambiente ha un pulsante "
             "Guida che apre la pagina della guida dedicata a quella finestra; dalla finestra della guida "
             "il collegamento \"Visualizza guida in formato PDF\" apre il manuale completo. Nel menu "
             "principale l'icona in alto a sinistra mostra le informazioni sul programma e l'indirizzo "
             "di posta elettronica dell'assistenza, l'icona in basso a sinistra i riconoscimenti e il "
             "sito Web, l'icona in basso a destra chiude il programma.",
             "L'accesso al programma è protetto da una password, la stessa per tutti gli operatori. La "
             "password di primo accesso è indicata nella finestra di accesso: è bene sostituirla subito "
             "con una password di propria scelta, con il pulsante Cambia password della stessa finestra. "
             "Nella password le lettere maiuscole e minuscole si equivalgono.",
             "Ogni giorno, prima della prima modifica di un archivio, il programma ne conserva una copia "
             "nella cartella Backup, dentro la cartella dei dati; restano le copie degli ultimi quattordici "
             "giorni di lavoro. Più postazioni possono lavorare sulla stessa cartella condivisa in rete: "
             "se un'altra postazione sta salvando nello stesso archivio, il programma lo segnala e "
             "chiede di riprovare dopo qualche istante.",
         }},
        {PrestitiRestituzioni,
         {
             "Il sottomenu Prestiti e Restituzioni offre due ambienti di lavoro: \"Apri archivio "
             "prestiti\" per registrare i prestiti dei libri agli utenti e \"Apri archivio "
             "restituzioni\" per registrare la loro riconsegna alla biblioteca. I prestiti sono "
             "registrati nell'archivio dei prestiti dell'anno solare in corso: ogni anno ha il proprio "
             "archivio, che lo storico, le statistiche e le esportazioni consultano.",
             "Per registrare un prestito premere \"Importa utente\" e cercare l'utente nell'archivio "
             "anagrafico: con un doppio clic sulla riga dell'utente, il cognome e nome, il numero di "
             "tessera e il recapito preferenziale compaiono nella finestra. Premere quindi "
             "\"Visualizza scheda prestiti\": si apre la scheda dell'utente con l'elenco dei libri che "
             "ha ricevuto in prestito nell'anno in corso e non ha ancora restituito.",
             "Indicare poi la data di scadenza del prestito (1) con il pulsante \"<<  Importa data\", che "
             "apre il calendario: scegliere il giorno e premere Importa. La scadenza non può essere "
             "anteriore alla data del prestito, che è sempre la data di oggi; i tasti Backspace e Canc "
             "cancellano la data scelta. Premere infine \"Importa libro\" (2): si apre la ricerca dei "
             "libri disponibili per il prestito, cioè non annullati e non già prestati. Un doppio clic "
             "sul libro scelto registra il prestito: la scheda del libro riporta il numero di tessera "
             "dell'utente e la data di scadenza, il prestito si aggiunge all'elenco e la finestra è "
             "pronta per un nuovo prestito allo stesso utente.",
             "Per registrare una restituzione, nell'ambiente delle restituzioni indicare l'anno solare in "
             "cui è stato effettuato il prestito (quattro cifre; è già proposto l'anno in corso), "
             "importare l'utente e premere \"Visualizza scheda prestiti\": l'elenco mostra i libri che "
             "l'utente ha ricevuto in prestito in quell'anno e non ha ancora riconsegnato. Selezionare "
             "con un clic il libro da restituire e premere \"Rimuovi da elenco\": una finestra di "
             "conferma mostra i dati del libro. Con \"Conferma\" il libro torna disponibile per il "
             "prestito e nell'archivio dei prestiti è registrata la data di restituzione di oggi; con "
             "\"Annulla\" non cambia nulla.",
             "Un prestito di un anno precedente non ancora restituito si ritrova indicando quell'anno "
             "nell'ambiente delle restituzioni. In entrambi gli ambienti il pulsante \"Stampa scheda "
             "prestiti\" stampa l'elenco dei libri in prestito all'utente selezionato. Chiudendo "
             "l'ambiente dei prestiti o quello delle restituzioni si torna al menu principale.",
         }},
        {StoricoStatistiche,
         {
             "Il sottomenu Storico e Statistiche raccoglie gli strumenti che consultano gli archivi "
             "annuali dei prestiti senza modificarli: \"Apri storico prestiti\" apre il riepilogo "
             "storico dei prestiti, \"Apri statistiche prestiti\" apre i grafici statistici dei "
             "prestiti mensili.",
             "Lo storico prestiti elenca i prestiti registrati in un intervallo di tempo compreso in un "
             "anno solare, per tutti i libri oppure per un solo libro indicato con il suo codice "
             "identificativo. Per ogni prestito l'elenco riporta il libro, la data del prestito, la data "
             "di restituzione e l'utente; si possono cercare parole nell'elenco e stamparlo. Dalla "
             "stessa finestra i collegamenti Esporta e Scaduti creano file di Microsoft Excel con il "
             "registro completo dei prestiti dell'anno e con i prestiti scaduti e non ancora restituiti.",
             "I grafici statistici contano i prestiti registrati in ciascun mese dell'anno indicato e li "
             "mostrano come barre tridimensionali, una per mese, oppure come torta; il grafico si può "
             "stampare. Un prestito conta nel mese in cui è stato registrato, che sia stato restituito "
             "o no.",
             "Chiudendo una di queste finestre si torna al menu principale. Ogni finestra ha la propria "
             "pagina della guida con le istruzioni dettagliate.",
         }},
        {ArchivioLibri,
         {
             "L'Archivio Libri serve a catalogare i libri della biblioteca, una scheda per libro. Per "
             "salvare una scheda sono obbligatori il titolo, il codice identificativo e l'autore; tutti "
             "gli altri campi sono facoltativi. I campi \"Prestato a\" e \"Scadenza\" sono di sola "
             "lettura: li compilano in automatico la registrazione di un prestito e la restituzione del "
             "libro.",
             "Per inserire un libro premere Nuovo, compilare i campi (il tasto Invio passa al campo "
             "successivo) e assegnare il codice identificativo. Prima del primo salvataggio il codice va "
             "convalidato con il pulsante a destra del campo Codice, che controlla che nessun altro "
             "libro in archivio abbia lo stesso codice. Premere infine Salva. Il codice di un libro già "
             "salvato non si può più modificare.",
             "Per modificare un libro, richiamarlo con le frecce di scorrimento delle schede (prima, "
             "precedente, successiva, ultima) oppure con Trova, correggere i dati e premere Salva. "
             "Trova cerca i libri con uno o più criteri insieme (titolo, codice, autore, curatore, "
             "genere, casa editrice, ISBN, lingua, codice Dewey, note); l'altro pulsante di ricerca "
             "elenca soltanto i libri disponibili per il prestito. Un doppio clic su una riga "
             "dell'elenco mostra la scheda del libro. Spostarsi su un'altra scheda o premere Nuovo "
             "senza salvare annulla le modifiche non salvate.",
             "I campi Genere e Lingua propongono un elenco di voci, ma accettano qualsiasi testo. Il "
             "pulsante a destra del campo Dewey apre la Tabella dei Codici Dewey: un doppio clic sulla "
             "classe scelta ne copia il codice nel campo. Il pulsante a destra del campo ISBN cerca sul "
             "Web, tramite Google, le informazioni sul libro con l'ISBN indicato.",
             "Duplica serve a inserire i volumi successivi di un'opera: su un libro già salvato conserva "
             "i dati descrittivi e svuota il codice, i dati del prestito e gli allegati, così che basti "
             "indicare il nuovo codice, convalidarlo e salvare. La casella \"Annullata\" esclude il "
             "libro dalle ricerche e dai prestiti senza cancellarlo: la scheda resta in archivio, si "
             "raggiunge con le frecce e compare nell'esportazione.",
             "\"Allega file\" associa alla scheda fino a tre documenti di qualsiasi tipo, ciascuno con una "
             "descrizione. Con Sfoglia si sceglie il file, che è copiato subito nella cartella "
             "Documenti_Allegati; con Apri lo si apre con il programma predefinito; l'icona accanto al "
             "nome toglie il file dalla scheda, lasciandolo nella cartella. I nomi dei file entrano "
             "nella scheda con \"Applica e chiudi\" e poi con Salva. Libri e utenti condividono la "
             "stessa cartella: scegliendo un file con lo stesso nome di uno già presente, il programma "
             "chiede se sostituirlo.",
             "Stampa stampa la scheda del libro mostrato; Esporta crea un file di Microsoft Excel con "
             "tutti i libri in archivio.",
         }},
        {ConsultazioneCatalogo,
         {
             "La Consultazione Catalogo Libri permette ai lettori di consultare le schede dei libri in "
             "sola lettura, senza il rischio di modifiche accidentali. La scheda è la stessa "
             "dell'Archivio Libri, ma senza i pulsanti per salvare o modificare i dati: nessun campo si "
             "può cambiare e nulla viene mai scritto negli archivi.",
             "Con \"Cerca libro in catalogo\" si cercano i libri con uno o più criteri insieme (titolo, "
             "codice, autore, curatore, genere, casa editrice, ISBN, lingua, codice Dewey, note); con "
             "\"Cerca libro fra disponibili\" la ricerca si limita ai libri che in questo momento si "
             "possono avere in prestito. Un doppio clic su una riga dell'elenco mostra la scheda del "
             "libro.",
             "Le frecce di scorrimento passano alla prima, alla precedente, alla successiva o all'ultima "
             "scheda del catalogo. Il campo \"Prestato a\" indica se il libro è disponibile o a quale "
             "tessera è stato prestato, e \"Scadenza\" la data in cui il prestito scade. \"Stampa "
             "scheda libro\" stampa la scheda del libro mostrato.",
             "Uscendo da questa finestra il programma termina, dopo una richiesta di conferma: in questo "
             "modo l'utente della biblioteca non può raggiungere le finestre che inseriscono o "
             "modificano i dati degli archivi. Per tornare a lavorare sugli archivi occorre riavviare il "
             "programma e inserire la password.",
         }},
        {ArchivioUtenti,
         {
             "L'Archivio Utenti conserva i dati degli utenti iscritti alla biblioteca, una scheda per "
             "utente: cognome e nome, informazioni aggiuntive, numero, data di rilascio e data di "
             "scadenza della tessera, dati di nascita e di residenza, titolo di studio, telefoni, "
             "recapito preferenziale, fax, e-mail, codice fiscale, partita IVA, carta di credito, IBAN, "
             "intestatario del conto, note e una foto. Per salvare una scheda sono obbligatori il "
             "cognome e nome, il numero di tessera, le date di rilascio e di scadenza, nel formato "
             "gg/mm/aaaa, e i giorni di preavviso.",
             "Per inserire un utente premere Nuovo (la data di rilascio è già quella di oggi), compilare "
             "i campi e premere Salva. Per modificarlo, richiamarlo con le frecce di scorrimento delle "
             "schede oppure con Trova, che cerca con più filtri insieme, correggere i dati e premere "
             "Salva. Le modifiche non salvate si perdono spostandosi su un'altra scheda.",
             "La foto si carica con \"Carica foto\" da un file JPEG o Bitmap: è adattata al riquadro e "
             "si vede a tutto schermo con l'icona della lente d'ingrandimento; l'altra icona la "
             "cancella. La foto è conservata al momento del salvataggio ed è quella che compare sulla "
             "tessera d'iscrizione.",
             "L'archivio funziona anche da rubrica: l'icona accanto al campo E-mail apre un nuovo "
             "messaggio di posta all'utente, e quattro pulsanti controllano il codice fiscale, la partita "
             "IVA, il numero della carta di credito e l'IBAN. I dati degli utenti servono inoltre alla "
             "registrazione dei prestiti e alla stampa delle tessere.",
             "I giorni di preavviso stabiliscono con quanto anticipo sulla scadenza la tessera compare "
             "nell'elenco delle tessere in attesa di rinnovo, che si apre con il pulsante a forma di "
             "orologio. \"Invia avviso scadenza\" prepara un messaggio di posta elettronica che ricorda "
             "all'utente di rinnovare la tessera: prima di inviarlo lo si può modificare nel proprio "
             "programma di posta.",
             "La casella \"Tessera annullata\" esclude l'utente dai risultati delle ricerche e "
             "dall'elenco dei rinnovi senza cancellarlo: la scheda resta visibile scorrendo l'archivio "
             "e compare nell'esportazione. \"Allega file\" associa alla scheda fino a tre documenti, "
             "copiati nella cartella Documenti_Allegati; i nomi dei file entrano nella scheda con "
             "\"Applica e chiudi\" e poi con Salva.",
             "La barra dei comandi offre anche l'anteprima e la stampa della scheda dell'utente e "
             "l'esportazione di tutto l'archivio in un file di Microsoft Excel.",
         }},
        {StampaTessere,
         {
             "Questo ambiente di lavoro serve a stampare le tessere d'iscrizione da consegnare agli utenti "
             "della biblioteca e conserva i dati e il logo della biblioteca che compaiono su ogni "
             "tessera.",
             "Per richiamare i dati di un utente registrato in archivio, utilizzare le frecce di "
             "scorrimento delle schede oppure il pulsante Trova, che permette di cercare l'utente con "
             "uno o più filtri. La tessera riporta il nome della biblioteca con due righe di "
             "sottotitolo, il logo, la foto dell'utente, il cognome e il nome, le informazioni "
             "aggiuntive, il numero della tessera, le date di rilascio e di scadenza e un'annotazione in "
             "calce.",
             "I dati della biblioteca si inseriscono facendo clic sul punto della tessera in cui "
             "compaiono; il logo si carica facendo clic sul riquadro del logo. Dati e logo sono salvati "
             "in automatico all'uscita da questo ambiente di lavoro. Le icone rosse tolgono dalla "
             "tessera la foto o il logo, senza cancellare la foto conservata nella scheda dell'utente.",
             "Prima di stampare è possibile regolare i margini superiore e sinistro secondo la stampante "
             "in uso, così da stampare la tessera su una tessera plastificata del formato di una carta "
             "di credito, su un foglio A4 o su un cartoncino di piccolo formato. L'anteprima di stampa "
             "mostra la tessera com'è prima di stamparla su carta.",
             "La foto è quella salvata nella scheda dell'utente: è preferibile che sia scattata in "
             "verticale, perché in stampa viene adattata al riquadro della foto.",
         }},
        {RiepilogoStorico,
         {
             "Il riepilogo storico elenca i prestiti registrati in un intervallo di tempo compreso in un "
             "anno solare. Nella finestra dello storico indicare l'anno con quattro cifre e, se "
             "interessa un solo libro, il suo codice identificativo; lasciando vuoto il codice si "
             "ottiene lo storico di tutti i libri. Scegliere poi dagli elenchi a cascata il giorno e il "
             "mese di inizio e di fine dell'intervallo e premere \"Visualizza riepilogo\".",
             "Per ogni prestito dell'intervallo l'elenco riporta il codice e il titolo del libro, la data "
             "del prestito, la data di restituzione (vuota se il libro non è ancora stato restituito) e "
             "il cognome e nome dell'utente, nell'ordine in cui i prestiti sono stati registrati. In "
             "fondo alla finestra compare il totale dei prestiti elencati.",
             "Per trovare una parola nell'elenco scriverla nel campo di ricerca e premere Trova; "
             "premendo di nuovo Trova si passa alla voce successiva che contiene la stessa parola. "
             "\"Stampa riepilogo\" stampa l'elenco, seguito dall'intervallo scelto e dal totale dei "
             "prestiti.",
             "Nella finestra dello storico il collegamento Esporta crea un file di Microsoft Excel con "
             "l'intero archivio dei prestiti dell'anno indicato; il collegamento Scaduti mostra ed "
             "esporta tutti i prestiti di quell'anno scaduti e non ancora restituiti. Per le "
             "esportazioni contano soltanto l'anno, non il codice del libro né l'intervallo.",
         }},
        {GraficiStatistici,
         {
             "I grafici statistici mostrano quanti prestiti sono stati registrati in ciascun mese di un "
             "anno solare. Indicare l'anno con quattro cifre e premere Apri.",
             "Il grafico presenta dodici barre tridimensionali, una per mese da gennaio a dicembre, "
             "ciascuna con il proprio colore e con il numero dei prestiti: più alta è la barra, più "
             "prestiti sono stati registrati in quel mese. Un prestito conta nel mese in cui è stato "
             "registrato, che il libro sia stato restituito o no.",
             "Con \"Visualizza grafico a torta\" gli stessi valori si vedono come fette di una torta "
             "tridimensionale; con \"Visualizza grafico a barre\" si torna alle barre. Il programma "
             "ricorda il tipo di grafico scelto fino alla chiusura del programma.",
             "\"Stampa grafico\" stampa il grafico mostrato, in orizzontale: il programma chiede il "
             "numero di copie e apre la finestra di stampa, nella quale si sceglie la stampante.",
         }},
        {EsportaLibri,
         {
             "Questa finestra esporta l'intero archivio dei libri in un file di Microsoft Excel. "
             "All'apertura la tabella mostra in anteprima tutte le schede in archivio, una per riga, "
             "nell'ordine in cui sono state inserite e con le stesse colonne del file: titolo, codice, "
             "scaffale, autore, nazione, curatore, codice Dewey, pagine, genere, giudizio, casa "
             "editrice, ISBN, città e anno di pubblicazione, volumi, prezzo, collana, formato, titolo "
             "originale, lingua, prima pubblicazione, traduttore, versione, note e l'indicazione della "
             "scheda annullata. Sono esportati anche i libri annullati.",
             "Per esportare fare clic sull'icona di Excel e confermare. Il file Libri.xls è scritto nella "
             "cartella dei dati del programma e sostituisce ogni volta quello dell'esportazione "
             "precedente; al termine il programma chiede se aprirlo subito con Microsoft Excel o con il "
             "foglio di calcolo predefinito.",
             "Se il file dell'esportazione precedente è ancora aperto nel foglio di calcolo, "
             "l'esportazione non riesce: chiudere il file e ripetere l'operazione. L'esportazione "
             "legge l'archivio e non lo modifica mai.",
         }},
        {EsportaUtenti,
         {
             "Questa finestra esporta l'intero archivio anagrafico degli utenti in un file di Microsoft "
             "Excel. All'apertura la tabella mostra in anteprima tutte le schede degli utenti, una per "
             "riga, nell'ordine in cui sono state inserite, con i dati anagrafici, la tessera, i "
             "recapiti, i dati fiscali e bancari, le note e l'indicazione della tessera annullata. Sono "
             "esportati anche gli utenti con la tessera annullata; le foto e i documenti allegati non "
             "sono esportati.",
             "Per esportare fare clic sull'icona di Excel e confermare. Il file Tesserati.xls è scritto "
             "nella cartella dei dati del programma e sostituisce ogni volta quello dell'esportazione "
             "precedente; al termine il programma chiede se aprirlo subito con il foglio di calcolo.",
             "Se il file dell'esportazione precedente è ancora aperto nel foglio di calcolo, "
             "l'esportazione non riesce: chiudere il file e ripetere l'operazione. L'esportazione "
             "legge l'archivio e non lo modifica mai.",
         }},
        {EsportaPrestiti,
         {
             "Questa finestra esporta in un file di Microsoft Excel il registro completo dei prestiti "
             "dell'anno indicato nella finestra dello storico prestiti. La tabella mostra in anteprima "
             "tutti i prestiti dell'anno, restituiti e no, nell'ordine di registrazione: data del "
             "prestito, codice e titolo del libro, data di scadenza, data di restituzione, cognome e "
             "nome dell'utente, numero di tessera e recapito preferenziale.",
             "Per esportare fare clic sull'icona di Excel e confermare. Il file Registro_Prestiti.xls è "
             "scritto nella cartella dei dati del programma e sostituisce ogni volta quello "
             "dell'esportazione precedente; al termine il programma chiede se aprirlo subito con il "
             "foglio di calcolo.",
             "Se il file dell'esportazione precedente è ancora aperto nel foglio di calcolo, "
             "l'esportazione non riesce: chiudere il file e ripetere l'operazione. L'esportazione "
             "legge l'archivio dei prestiti e non lo modifica mai.",
         }},
        {PrestitiScaduti,
         {
             "Questa finestra elenca ed esporta in un file di Microsoft Excel i prestiti scaduti "
             "dell'anno indicato nella finestra dello storico prestiti: i prestiti non ancora "
             "restituiti la cui data di scadenza è anteriore a oggi. Un prestito che scade oggi non è "
             "ancora scaduto; un libro restituito non compare, per quanto tardi sia stato riconsegnato.",
             "La tabella mostra per ogni prestito scaduto la data del prestito, il codice e il titolo del "
             "libro, la data di scadenza, il cognome e nome dell'utente, il numero di tessera e il "
             "recapito preferenziale, utile per sollecitare la restituzione.",
             "Per esportare fare clic sull'icona di Excel e confermare. Il file Prestiti_Scaduti.xls è "
             "scritto nella cartella dei dati del programma e sostituisce ogni volta quello "
             "dell'esportazione precedente; al termine il programma chiede se aprirlo subito con il "
             "foglio di calcolo. Se il file è ancora aperto nel foglio di calcolo, l'esportazione non "
             "riesce: chiuderlo e ripetere l'operazione.",
         }},
    };
    return all;
}

const Topic* find(std::string_view title) {
    for (const Topic& t : topics())
        if (t.title == title)
            return &t;
    return nullptr;
}

const std::vector<Window>& windows() {
    static const std::vector<Window> all = {
        {"TfrmAvvio", "Menu principale", Panoramica,
         "finestra di accesso, dopo l'inserimento della password"},
        {"TfrmMenuPrestiti", "Prestiti e Restituzioni", PrestitiRestituzioni,
         "menu principale, PRESTITI E RESTITUZIONI"},
        {"TfrmPrestiti", "Prestiti libri", PrestitiRestituzioni,
         "sottomenu Prestiti e Restituzioni, \"Apri archivio prestiti\""},
        {"TfrmRestituzioni", "Restituzioni libri", PrestitiRestituzioni,
         "sottomenu Prestiti e Restituzioni, \"Apri archivio restituzioni\""},
        {"TfrmMenuStorico", "Storico e Statistiche", StoricoStatistiche,
         "menu principale, STORICO E STATISTICHE"},
        {"TfrmLibri", "Archivio Libri", ArchivioLibri, "menu principale, ARCHIVIO LIBRI"},
        {"TfrmConsultaLibri", "Consultazione Catalogo Libri", ConsultazioneCatalogo,
         "menu principale, CONSULTAZIONE CATALOGO"},
        {"TfrmAnagrafica", "Archivio Utenti", ArchivioUtenti, "menu principale, ANAGRAFICA UTENTI"},
        {"TfrmTessera", "Stampa Tessere", StampaTessere, "menu principale, STAMPA TESSERE"},
        {"TfrmRiepilogoPrestiti", "Riepilogo storico prestiti librari", RiepilogoStorico,
         "sottomenu Storico e Statistiche, \"Apri storico prestiti\", poi \"Visualizza riepilogo\""},
        {"TfrmStatistiche", "Statistiche prestiti mensili", GraficiStatistici,
         "sottomenu Storico e Statistiche, \"Apri statistiche prestiti\""},
        {"TfrmExpLibri", "Esporta archivio libri in Microsoft Excel", EsportaLibri,
         "Archivio Libri, pulsante Esporta"},
        {"TfrmExpAnagrafica", "Esporta archivio anagrafico utenti in Microsoft Excel", EsportaUtenti,
         "Archivio Utenti, pulsante Esporta"},
        {"TfrmExpPrestiti", "Esporta archivio prestiti libri in Microsoft Excel", EsportaPrestiti,
         "storico prestiti, collegamento Esporta"},
        {"TfrmExpPrestitiSca", "Riepilogo prestiti scaduti in Microsoft Excel", PrestitiScaduti,
         "storico prestiti, collegamento Scaduti"},
    };
    return all;
}

} // namespace quaderna::help
