// The display configuration file, LCConfig.txt: reading each setting, writing
// the whole file, and keeping it out of the way while Tamarel opens its own
// display.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "lcconfig.h"
#include "lumicanvas.h"
#include "tamarel.h"

const char* const FichierConfig = "LCConfig.txt";
const char* const FichierConfigAttente = "LCConfig.tmp";
const char* const FichierConfigNouveau = "LCConfig.new";

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
bool Renomme(const char* ancien, const char* nouveau) {
    std::error_code erreur;
    std::filesystem::rename(ancien, nouveau, erreur);
    return !erreur;
}

// Pushes what the stream holds down to the disk, so that the rename that
// follows never puts an empty or cut file in place after a power cut.
bool VersLeDisque(FILE* f) {
    if (std::fflush(f) != 0) return false;
#ifdef _WIN32
    return _commit(_fileno(f)) == 0;
#else
    return fsync(fileno(f)) == 0;
#endif
}

// Writes the five lines and the signature; true when every byte went out.
bool EcritLignes(FILE* f, const char* signature) {
    char ligne[64];
    for (const Reglage& r : Reglages) {
        std::snprintf(ligne, sizeof ligne, "%s=%d\n", r.cle, *r.valeur);
        if (std::fputs(ligne, f) == EOF) return false;
    }
    size_t longueur = std::strlen(signature);
    return std::fwrite(signature, 1, longueur, f) == longueur;
}

}  // namespace

void ConfigParDefaut() {
    for (const Reglage& r : Reglages) *r.valeur = r.defaut;
}

int InitGraphHorsConfig() {
    // The display opens on the layer's own defaults, whatever the file says:
    // a resolution the screen cannot show must not keep the tool from showing.
    bool deplace = false;
    if (ModeAccessFile(FichierConfig, 0) == 1) {
        deplace = Renomme(FichierConfig, FichierConfigAttente);
    }
    int ouvert = InitGraph(3, 2, 0);
    bool present = ModeAccessFile(FichierConfig, 0) == 1;
    if (ModeAccessFile(FichierConfigAttente, 0) == 1 && (deplace || !present)) {
        // Ours, or left over by a run that stopped while its display opened.
        if (!Renomme(FichierConfigAttente, FichierConfig)) {
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
        if (!LitOctetsConfig(FichierConfig, octets)) return;
        std::string valeur;
        if (!ValeurDeCle(octets, cle, valeur)) return;
        int lu = r.defaut;
        std::string problemes;
        LitReglageConfig(octets, cle, lu, problemes);
        *r.valeur = lu;
        return;
    }
}

int EcritConfig(const char* signature) {
    FILE* f = WaitAccessFile(FichierConfigNouveau, 1);
    if (f == nullptr) {
        Signale(u8"impossible de créer LCConfig.new à côté de LCConfig.txt : "
                u8"la configuration n'est pas enregistrée.",
                GetMediaError());
        return 0;
    }
    errno = 0;
    bool ecrit = EcritLignes(f, signature) && VersLeDisque(f);
    if (std::fclose(f) != 0) ecrit = false;
    if (ecrit && Renomme(FichierConfigNouveau, FichierConfig)) return 1;
    int raison = errno;
    std::remove(FichierConfigNouveau);
    Signale(u8"l'écriture de LCConfig.txt a échoué : le fichier précédent est conservé.",
            raison != 0 ? std::strerror(raison) : nullptr);
    return 0;
}
