// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/read/xml_error_text.h"

#include <expat.h>

namespace zelva::batch {

std::string_view xmlErrorText(int code)
{
    // Every code by its name: a table by number would shift silently if a
    // line were lost. A code added by a later expat takes the default.
    switch (code) {
    case XML_ERROR_NONE:
        return "nessun errore";
    case XML_ERROR_NO_MEMORY:
        return "memoria esaurita";
    case XML_ERROR_SYNTAX:
        return "errore di sintassi";
    case XML_ERROR_NO_ELEMENTS:
        return "nessun elemento trovato";
    case XML_ERROR_INVALID_TOKEN:
        return "non ben formato (simbolo non valido)";
    case XML_ERROR_UNCLOSED_TOKEN:
        return "simbolo non chiuso";
    case XML_ERROR_PARTIAL_CHAR:
        return "carattere incompleto";
    case XML_ERROR_TAG_MISMATCH:
        return "tag di chiusura non corrispondente";
    case XML_ERROR_DUPLICATE_ATTRIBUTE:
        return "attributo duplicato";
    case XML_ERROR_JUNK_AFTER_DOC_ELEMENT:
        return "contenuto dopo la fine del documento";
    case XML_ERROR_PARAM_ENTITY_REF:
        return "riferimento non ammesso a un'entità parametro";
    case XML_ERROR_UNDEFINED_ENTITY:
        return "entità non definita";
    case XML_ERROR_RECURSIVE_ENTITY_REF:
        return "riferimento ricorsivo a un'entità";
    case XML_ERROR_ASYNC_ENTITY:
        return "entità asincrona";
    case XML_ERROR_BAD_CHAR_REF:
        return "riferimento a un numero di carattere non valido";
    case XML_ERROR_BINARY_ENTITY_REF:
        return "riferimento a un'entità binaria";
    case XML_ERROR_ATTRIBUTE_EXTERNAL_ENTITY_REF:
        return "riferimento a un'entità esterna in un attributo";
    case XML_ERROR_MISPLACED_XML_PI:
        return "dichiarazione XML o di testo non all'inizio dell'entità";
    case XML_ERROR_UNKNOWN_ENCODING:
        return "codifica sconosciuta";
    case XML_ERROR_INCORRECT_ENCODING:
        return "la codifica indicata nella dichiarazione XML è errata";
    case XML_ERROR_UNCLOSED_CDATA_SECTION:
        return "sezione CDATA non chiusa";
    case XML_ERROR_EXTERNAL_ENTITY_HANDLING:
        return "errore nell'elaborazione di un riferimento a un'entità esterna";
    case XML_ERROR_NOT_STANDALONE:
        return "il documento non è autonomo (standalone)";
    case XML_ERROR_UNEXPECTED_STATE:
        return "stato imprevisto dell'analizzatore: si prega di segnalare il difetto";
    case XML_ERROR_ENTITY_DECLARED_IN_PE:
        return "entità dichiarata in un'entità parametro";
    case XML_ERROR_FEATURE_REQUIRES_XML_DTD:
        return "la funzione richiesta necessita del supporto XML_DTD in Expat";
    case XML_ERROR_CANT_CHANGE_FEATURE_ONCE_PARSING:
        return "impossibile cambiare l'impostazione dopo l'inizio dell'analisi";
    case XML_ERROR_UNBOUND_PREFIX:
        return "prefisso non associato a uno spazio dei nomi";
    case XML_ERROR_UNDECLARING_PREFIX:
        return "non si può annullare la dichiarazione di un prefisso";
    case XML_ERROR_INCOMPLETE_PE:
        return "marcatura incompleta in un'entità parametro";
    case XML_ERROR_XML_DECL:
        return "dichiarazione XML non ben formata";
    case XML_ERROR_TEXT_DECL:
        return "dichiarazione di testo non ben formata";
    case XML_ERROR_PUBLICID:
        return "caratteri non ammessi nell'identificatore pubblico";
    case XML_ERROR_SUSPENDED:
        return "analisi sospesa";
    case XML_ERROR_NOT_SUSPENDED:
        return "analisi non sospesa";
    case XML_ERROR_ABORTED:
        return "analisi interrotta";
    case XML_ERROR_FINISHED:
        return "analisi terminata";
    case XML_ERROR_SUSPEND_PE:
        return "impossibile sospendere in un'entità parametro esterna";
    case XML_ERROR_RESERVED_PREFIX_XML:
        return "il prefisso riservato (xml) non può essere annullato né associato a un altro spazio dei nomi";
    case XML_ERROR_RESERVED_PREFIX_XMLNS:
        return "il prefisso riservato (xmlns) non può essere dichiarato né annullato";
    case XML_ERROR_RESERVED_NAMESPACE_URI:
        return "un prefisso non può essere associato a uno dei nomi di spazio dei nomi riservati";
    case XML_ERROR_INVALID_ARGUMENT:
        return "argomento non valido";
    case XML_ERROR_NO_BUFFER:
        return "serve prima una chiamata riuscita alla funzione XML_GetBuffer";
    case XML_ERROR_AMPLIFICATION_LIMIT_BREACH:
        return "superato il limite al fattore di amplificazione dell'ingresso (da DTD ed entità)";
    default:
        break;
    }
    const XML_LChar* const own = XML_ErrorString(static_cast<XML_Error>(code));
    return own ? std::string_view(own) : std::string_view("errore XML sconosciuto");
}

} // namespace zelva::batch
