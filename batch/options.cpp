// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/options.h"

namespace zelva::batch {

const std::string_view kHelpText =
    "Uso: zelvamirontica-batch [OPZIONI] [FILE...]\n"
    "\n"
    "Calcola distanza e velocità media di ogni tratta fra posizioni rilevate,\n"
    "con le stesse cifre della finestra di Zelvamirontica (sfera di 6371 km).\n"
    "Legge i FILE nell'ordine dato, o lo standard input se non ne è dato\n"
    "nessuno (anche '-' indica lo standard input).\n"
    "\n"
    "Ingresso, una riga per volta (le righe che iniziano con # sono commenti):\n"
    "  - frasi NMEA 0183 GGA, RMC e GLL di qualunque talker; le altre frasi e le\n"
    "    posizioni non valide sono ignorate; frasi consecutive con la stessa ora\n"
    "    sono una sola posizione;\n"
    "  - righe di 5 numeri: latitudine e longitudine in gradi decimali (nord ed\n"
    "    est positivi), ore, minuti, secondi, come nella finestra;\n"
    "  - righe di 10 numeri: i dieci dati della finestra, posizione 1 e poi 2,\n"
    "    una tratta a sé.\n"
    "  I numeri sono separati da ';' (decimali con ',' o '.'), da ',' (decimali\n"
    "  con '.') o da spazi e tabulazioni (decimali con ',' o '.'). Una prima\n"
    "  riga senza numeri è un'intestazione.\n"
    "  Ogni posizione di un elenco forma una tratta con la precedente dello\n"
    "  stesso file. Un'ora del giorno minore della precedente è del giorno dopo\n"
    "  (la data delle frasi RMC conta i giorni interi): l'intervallo comprende\n"
    "  i giorni, mentre ora1_s e ora2_s restano le ore del giorno.\n"
    "\n"
    "Uscita: una riga di intestazione e una riga per tratta:\n"
    "  riga;ora1_s;ora2_s;distanza_km;distanza_m;intervallo_s;velocita_m_s;velocita_km_h\n"
    "  dove riga è la riga in cui inizia la seconda posizione. Con più file una\n"
    "  prima colonna, file, dice da quale viene ogni riga. Un risultato che la\n"
    "  finestra lascerebbe vuoto è un campo vuoto. Il separatore decimale è\n"
    "  quello delle impostazioni internazionali; con la virgola i campi sono\n"
    "  separati da ';', con il punto da ','.\n"
    "\n"
    "Opzioni:\n"
    "  --separatore=virgola  scrive i numeri con la virgola decimale\n"
    "  --separatore=punto    scrive i numeri con il punto decimale\n"
    "  --help                mostra questo aiuto ed esce\n"
    "  --version             mostra la versione ed esce\n"
    "\n"
    "Ogni riga che non si può usare è segnalata sullo standard error come\n"
    "FILE:RIGA: motivo ('-' per lo standard input), e le altre sono elaborate.\n"
    "Stato d'uscita: 0 tutto elaborato; 1 qualche riga scartata; 2 un file non\n"
    "si apre o non si legge, un'opzione è errata o l'uscita non si scrive.\n";

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
