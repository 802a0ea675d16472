// The command filter's messages in the job's language, keyed by the English
// text.
#include <strings.h>

#include <cstring>

#include "CommandFilter.h"

namespace {

struct Translation {
    const char* english;
    const char* translated;
};

struct Language {
    const char* code;
    const Translation* messages;
    std::size_t count;
};

constexpr Translation kGerman[] = {
    {"Unable to open PPD file: %s", "PPD-Datei kann nicht ge\u00f6ffnet werden: %s"},
    {"Unable to open command file: %s", "Befehlsdatei kann nicht ge\u00f6ffnet werden: %s"},
    {"Unknown printer command \"%s\"!", "Unbekannter Druckerbefehl \u201e%s\u201c!"},
    {"Job ticket larger than %zu bytes, not stored",
     "Auftragsticket gr\u00f6\u00dfer als %zu Byte, nicht gespeichert"},
    {"Unable to write the job: %s", "Auftrag kann nicht geschrieben werden: %s"},
    {"Unable to read the job ticket: %s", "Auftragsticket kann nicht gelesen werden: %s"},
    {"Unable to read the command file: %s", "Befehlsdatei kann nicht gelesen werden: %s"},
    {"The job ticket's name is not one the print dialog gives",
     "Der Name des Auftragstickets stammt nicht vom Druckdialog"},
    {"The job ticket is not the one its name stands for",
     "Das Auftragsticket ist nicht das, f\u00fcr das sein Name steht"},
};

constexpr Translation kFrench[] = {
    {"Unable to open PPD file: %s", "Impossible d\u2019ouvrir le fichier PPD\u00a0: %s"},
    {"Unable to open command file: %s",
     "Impossible d\u2019ouvrir le fichier de commandes\u00a0: %s"},
    {"Unknown printer command \"%s\"!", "Commande d\u2019imprimante inconnue \u00ab\u00a0%s\u00a0\u00bb\u00a0!"},
    {"Job ticket larger than %zu bytes, not stored",
     "Ticket de travail de plus de %zu octets, non enregistr\u00e9"},
    {"Unable to write the job: %s", "Impossible d\u2019\u00e9crire le travail\u00a0: %s"},
    {"Unable to read the job ticket: %s",
     "Impossible de lire le ticket de travail\u00a0: %s"},
    {"Unable to read the command file: %s",
     "Impossible de lire le fichier de commandes\u00a0: %s"},
    {"The job ticket's name is not one the print dialog gives",
     "Le nom du ticket de travail ne vient pas du dialogue d\u2019impression"},
    {"The job ticket is not the one its name stands for",
     "Le ticket de travail n\u2019est pas celui que d\u00e9signe son nom"},
};

constexpr Language kLanguages[] = {
    {"de", kGerman, std::size(kGerman)},
    {"fr", kFrench, std::size(kFrench)},
};

const Language* gLanguage = nullptr;

bool namesLanguage(const char* name, const char* code) {
    std::size_t length = std::strlen(code);
    return strncasecmp(name, code, length) == 0 &&
           (name[length] == '\0' || std::strchr("_-.@", name[length]));
}

}  // namespace

void SetMessageLanguage(const char* name) {
    gLanguage = nullptr;
    for (const Language& language : kLanguages) {
        if (name && namesLanguage(name, language.code)) {
            gLanguage = &language;
        }
    }
}

const char* LocalizedString(const char* english) {
    if (gLanguage) {
        for (std::size_t i = 0; i < gLanguage->count; ++i) {
            if (std::strcmp(gLanguage->messages[i].english, english) == 0) {
                return gLanguage->messages[i].translated;
            }
        }
    }
    return english;
}
