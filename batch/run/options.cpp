// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/run/options.h"

namespace zelva::batch {

const std::string_view kHelpText =
    "Uso: zelvamirontica-batch [OPZIONI] [FILE...]\n"
    "\n"
    "Calcola distanza e velocità media di ogni tratta fra posizioni rilevate,\n"
    "sulla stessa sfera di 6371 km della finestra di Zelvamirontica, con una\n"
    "formula che tiene tutte le cifre a ogni distanza.\n"
    "Legge i FILE nell'ordine dato, o lo standard input se non ne è dato\n"
    "nessuno (anche '-' indica lo standard input).\n"
    "Dal terminale, Ctrl+D (su Windows Ctrl+Z e poi Invio) chiude l'ingresso.\n"
    "\n"
    "Ingresso, una riga per volta (le righe che iniziano con # sono commenti):\n"
    "  - frasi NMEA 0183 GGA, RMC, GLL e GNS di qualunque talker, e le date\n"
    "    delle frasi ZDA; le altre frasi e le posizioni non valide sono\n"
    "    ignorate; frasi consecutive con la stessa ora sono una sola posizione;\n"
    "    i byte prima del '$' (NUL, binario) sono saltati;\n"
    "  - righe di 5 numeri: latitudine e longitudine in gradi decimali (nord ed\n"
    "    est positivi), ore, minuti, secondi, come nella finestra;\n"
    "  - righe di 10 numeri: i dieci dati della finestra, posizione 1 e poi 2,\n"
    "    una tratta a sé;\n"
    "  - tracce GPX (1.0 e 1.1), TCX e KML, riconosciute dal contenuto e non dal\n"
    "    nome: ogni trkseg e rte di un GPX, ogni attività TCX (attraverso i\n"
    "    giri), ogni gx:Track e LineString di un KML è un elenco a sé; un\n"
    "    secondo Track nello stesso giro o un gx:coord vuoto è una pausa, senza\n"
    "    tratta. Le ore sono in UTC, anni da 1 a 9999. I punti senza ora\n"
    "    (rotte, LineString) o con un'ora illeggibile danno tratte con la sola\n"
    "    distanza. Un XML malformato, con una DTD o oltre i limiti (1000 livelli,\n"
    "    64 KiB per nome, valore o testo) ferma la lettura di quel file.\n"
    "  Ogni ingresso può essere in UTF-8 o UTF-16; un XML anche in\n"
    "  windows-1252 o ISO-8859-15.\n"
    "  I numeri sono separati da ';' (decimali con ',' o '.'), da ',' (decimali\n"
    "  con '.') o da spazi e tabulazioni (decimali con ',' o '.'); un campo fra\n"
    "  virgolette, come lo scrivono i fogli di calcolo, può contenere il\n"
    "  separatore (\"45,46\"). Una prima riga di nomi (ogni campo inizia con\n"
    "  una lettera) è un'intestazione; una riga di soli separatori è vuota.\n"
    "  I campi vuoti in fondo a una riga non contano. Un campo hh:mm:ss[.f]\n"
    "  vale ore, minuti e secondi: '45,46;9,19;10:15:30' è una posizione.\n"
    "  Una prima riga 'sep=X', come la scrivono i fogli di calcolo, fissa il\n"
    "  separatore. Un'intestazione che nomina le colonne (lat o latitudine, lon\n"
    "  o longitudine, time, ora, data, ele o quota, ..., in qualunque ordine)\n"
    "  fa leggere ogni riga per colonne, saltando le altre, come scrivono i\n"
    "  registratori GPS e i fogli di calcolo: l'ora è una data e ora ISO 8601\n"
    "  (2026-12-08T10:15:30Z, con un fuso o senza = UTC, anche con uno spazio\n"
    "  al posto della T) o hh:mm:ss[.f], con la data in una colonna a parte\n"
    "  (aaaa-mm-gg o gg/mm/aaaa); senza colonna dell'ora, solo la distanza.\n"
    "  Sono ignorate senza errore le righe di altri protocolli: i rapporti JSON\n"
    "  di gpsd ({...}), le frasi AIS (!...) e i pacchetti binari UBX.\n"
    "  Ogni posizione di un elenco forma una tratta con la precedente dello\n"
    "  stesso file. Dove le due posizioni hanno una data (delle frasi RMC e ZDA,\n"
    "  o contata da una data prima) decidono le date; senza, un'ora del giorno\n"
    "  minore della precedente è del giorno dopo solo se è più di 12 ore prima.\n"
    "  L'intervallo comprende i giorni, mentre ora1_s e ora2_s restano le ore\n"
    "  del giorno. 23:59:60 è il secondo intercalare, il secondo 86400 del suo\n"
    "  giorno. Una data precedente, o un'ora che torna indietro di meno di 12\n"
    "  ore, è un orologio che torna indietro: un errore della sua riga, nessuna\n"
    "  tratta fra le due posizioni, e da quella posizione un nuovo elenco.\n"
    "  Le righe sono contate come in un editor: se la prima riga finisce con LF\n"
    "  o CR LF, solo LF chiude le righe; solo se finisce con un CR da solo, CR.\n"
    "\n"
    "Ogni tratta è scritta appena è nota: quella di una riga di numeri quando\n"
    "la riga è letta, quella di una posizione NMEA quando arriva la prima frase\n"
    "della posizione dopo, o alla fine dell'ingresso. Così si può leggere una\n"
    "sorgente dal vivo (gpspipe -r, tail -f, una porta seriale); Ctrl+C chiude\n"
    "l'ingresso come la sua fine, senza perdere tratte.\n"
    "\n"
    "Uscita: una riga di intestazione e una riga per tratta (con --riepilogo,\n"
    "una riga per elenco):\n"
    "  riga;ora1_s;ora2_s;distanza_km;distanza_m;intervallo_s;velocita_m_s;velocita_km_h\n"
    "  dove riga è la riga in cui inizia la seconda posizione. Ore e intervalli\n"
    "  sono esatti, con i decimali dell'ingresso. Con più file una\n"
    "  prima colonna, file, dice da quale viene ogni riga. Un risultato che la\n"
    "  finestra lascerebbe vuoto è un campo vuoto. Il separatore decimale è\n"
    "  quello delle impostazioni internazionali; con la virgola i campi sono\n"
    "  separati da ';', con il punto da ','.\n"
    "  Con --riepilogo le colonne sono\n"
    "  riga;posizioni;inizio;fine;distanza_km;durata_s;in_movimento_s;fermo_s;\n"
    "  velocita_media_km_h;velocita_max_km_h;passo_min_km;salita_m;discesa_m;\n"
    "  quota_min_m;quota_max_m;punti_anomali\n"
    "  dove riga è la riga della prima posizione dell'elenco; inizio e fine sono\n"
    "  in UTC (ISO 8601), vuoti senza data. Tempi, velocità e punti anomali\n"
    "  contano solo le tratte con l'ora. Una sosta è un tratto di almeno 30 s\n"
    "  in cui le posizioni restano vicine: entro 3,5 volte la loro dispersione\n"
    "  (da 4 a 15 m); il resto è in movimento. Un punto anomalo (da 1 a 3\n"
    "  posizioni che si allontanano di almeno 20 m e tornano, con almeno\n"
    "  40 m/s²) è lasciato fuori; la distanza non conta né i punti anomali né\n"
    "  la dispersione di una sosta. Velocità media e passo (minuti per km) sono\n"
    "  sul tempo in movimento; la massima è la media più alta su almeno 10 s.\n"
    "  Salita e discesa dalle quote smussate su 30 s, contate a tratti di\n"
    "  almeno 5 m. Dopo gli elenchi di una traccia (trk di un GPX, Activity di\n"
    "  un TCX), di un file e di tutti i file una riga con riga 'totale', dove\n"
    "  somma almeno due righe (quella di tutti i file senza nome di file).\n"
    "\n"
    "Opzioni:\n"
    "  --separatore=virgola  scrive i numeri con la virgola decimale\n"
    "  --separatore=punto    scrive i numeri con il punto decimale\n"
    "  --riepilogo           una riga per elenco, e i totali, invece che per tratta\n"
    "  --help                mostra questo aiuto ed esce\n"
    "  --version             mostra la versione ed esce\n"
    "\n"
    "Ogni riga che non si può usare è segnalata sullo standard error come\n"
    "FILE:RIGA: motivo ('-' per lo standard input), e le altre sono elaborate.\n"
    "Stato d'uscita: 0 tutto elaborato; 1 qualche riga scartata; 2 un file non\n"
    "si apre o non si legge, un'opzione è errata o l'uscita non si scrive (un\n"
    "disco pieno). Se chi legge l'uscita chiude la pipe, il programma finisce\n"
    "in silenzio come gli altri filtri, con uno stato diverso da 0.\n";

CommandLine parseCommandLine(const std::vector<std::string>& arguments)
{
    Options options;
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        if (optionsEnded || argument == "-" || !argument.starts_with("-")) {
            options.inputs.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            return ShowHelp{};
        } else if (argument == "--version") {
            return ShowVersion{};
        } else if (argument == "--separatore=virgola") {
            options.separator = DecimalSeparator::Comma;
        } else if (argument == "--separatore=punto") {
            options.separator = DecimalSeparator::Point;
        } else if (argument == "--riepilogo") {
            options.summary = true;
        } else if (argument.starts_with("--separatore")) {
            return OptionError{"valore di --separatore non valido: '" + argument
                               + "' (usare --separatore=virgola o --separatore=punto)"};
        } else {
            return OptionError{"opzione sconosciuta: '" + argument + "' (--help per l'aiuto)"};
        }
    }
    if (options.inputs.empty())
        options.inputs.emplace_back("-");
    return options;
}

} // namespace zelva::batch
