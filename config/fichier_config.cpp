// The display configuration file, LCConfig.txt: reading each setting, writing
// the whole file, and keeping it out of the way while Tamarel opens its own
// display.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "chemins.h"
#include "ecriture.h"
#include "lcconfig.h"
#include "lumicanvas.h"
#include "tamarel.h"

std::string FichierConfig() { return CheminLCConfig(); }

std::string FichierConfigAttente() {
    std::string attente = CheminLCConfig();
    return attente.replace(attente.size() - 3, 3, "tmp");
}

int ResolutionHorizontale = 800;
int ResolutionVerticale = 600;
int ResolutionPredefinie = 9;
int PleinEcran = 0;
int MessageErreur = 0;

const char* const SignatureCree = "\n--> Fichier créé par 'Tamarel.exe'";
const char* const SignatureGenere = "\n--> Fichier généré par 'Tamarel.exe'";

namespace {

// One setting: its key in the file (without "="), where Tamarel holds it, its
// built-in default. In the order of the file's lines.
struct Reglage {
    const char* cle;
    int* valeur;
    int defaut;
};

const Reglage Reglages[] = {
    {"RESOLUTION_HORIZONTALE", &ResolutionHorizontale, 800},
    {"RESOLUTION_VERTICALE", &ResolutionVerticale, 600},
    {"RESOLUTION_PREDEFINIE", &ResolutionPredefinie, 9},
    {"PLEIN_ECRAN", &PleinEcran, 0},
    {"MESSAGE_ERREUR", &MessageErreur, 0},
};

// Tells the teacher why the configuration could not be handled: on standard
// error and in a box. The texts are UTF-8 (u8 literals are not converted to
// Windows-1252), so the box is shown in that format and Tamarel's 8-bit
// format comes back afterwards.
// `detail`, when given, is the media layer's reason, added after the text.
void Signale(const char8_t* texte, const char* detail = nullptr) {
    char message[512];
    std::snprintf(message, sizeof message, "%s%s%s", reinterpret_cast<const char*>(texte),
                  detail != nullptr && detail[0] != '\0' ? " -- " : "",
                  detail != nullptr ? detail : "");
    std::fprintf(stderr, "Tamarel : %s\n", message);
    SetUFormat(U_UTF8);
    Message(message);
    SetUFormat(U_ASCII8);
}

// Renames a file, replacing the target; true when it worked.
bool Renomme(const std::string& ancien, const std::string& nouveau) {
    std::error_code erreur;
    std::filesystem::rename(CheminFs(ancien), CheminFs(nouveau), erreur);
    return !erreur;
}

// The five lines and the signature, as the file holds them.
std::string Contenu(const char* signature) {
    std::string contenu;
    char ligne[64];
    for (const Reglage& r : Reglages) {
        std::snprintf(ligne, sizeof ligne, "%s=%d\n", r.cle, *r.valeur);
        contenu += ligne;
    }
    return contenu + signature;
}

}  // namespace

void ConfigParDefaut() {
    for (const Reglage& r : Reglages) *r.valeur = r.defaut;
}

int InitGraphHorsConfig() {
    // The display opens on the layer's own defaults, whatever the file says:
    // a resolution the screen cannot show must not keep the tool from showing.
    const std::string config = FichierConfig(), attente = FichierConfigAttente();
    bool deplace = false;
    if (ModeAccessFile(config.c_str(), 0) == 1) {
        deplace = Renomme(config, attente);
    }
    int ouvert = InitGraph(3, 2, 0);
    bool present = ModeAccessFile(config.c_str(), 0) == 1;
    if (ModeAccessFile(attente.c_str(), 0) == 1 && (deplace || !present)) {
        // Ours, or left over by a run that stopped while its display opened.
        if (!Renomme(attente, config)) {
            Signale(u8"impossible de remettre LCConfig.tmp à sa place (LCConfig.txt) : "
                    u8"la configuration y reste et sera reprise au prochain lancement.");
        }
    } else if (!present && ouvert) {
        EcritConfig(SignatureCree);
    }
    if (!ouvert) {
        Signale(u8"l'affichage n'a pas pu s'ouvrir ; "
                u8"la configuration (LCConfig.txt) est restée telle quelle.",
                GetMediaError());
    }
    return ouvert;
}

void LitConfig(const char* cle) {
    for (const Reglage& r : Reglages) {
        if (std::strcmp(r.cle, cle) != 0) continue;
        // The game's own reading (lcconfig.h): a value it cannot use shows
        // as the default it applies instead.
        std::string octets;
        if (!LitOctetsConfig(FichierConfig(), octets)) return;
        std::string valeur;
        if (!ValeurDeCle(octets, cle, valeur)) return;
        int lu = r.defaut;
        std::string problemes;
        LitReglageConfig(octets, cle, lu, problemes);
        *r.valeur = lu;
        return;
    }
}

// Written beside LCConfig.txt under a name no other Tamarel uses, then
// renamed over it: two Tamarels saving at once both succeed, the last one's
// choice stays.
int EcritConfig(const char* signature) {
    std::string erreur;
    if (EcritFichierSur(FichierConfig(), Contenu(signature), erreur)) return 1;
    Signale(u8"l'écriture de LCConfig.txt a échoué : le fichier précédent est conservé.",
            erreur.c_str());
    return 0;
}
