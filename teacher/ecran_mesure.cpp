// The game's screen, headless, through the media layer's harness.
#include "ecran_mesure.h"

#include <filesystem>
#include <random>

#include "chemins.h"
#include "ecran.h"
#include "etat.h"
#include "harness.h"
#include "lumicanvas.h"
#include "outils.h"

namespace fs = std::filesystem;

namespace {

// A folder of the tool's own in the temporary folder, removed when done.
struct DossierTemporaire {
    fs::path chemin;

    bool Cree() {
        std::error_code e;
        std::random_device hasard;
        for (int essai = 0; essai < 20; ++essai) {
            const fs::path p = fs::temp_directory_path(e) / ("pivolette-ecran-" + std::to_string(hasard()));
            if (!e && fs::create_directory(p, e)) return chemin = p, true;
        }
        return false;
    }
    ~DossierTemporaire() {
        std::error_code e;
        if (!chemin.empty()) fs::remove_all(chemin, e);
    }
};

// The working folder put back whatever happens.
struct DossierDeTravail {
    fs::path ancien;
    explicit DossierDeTravail(const fs::path& nouveau) : ancien(fs::current_path()) { fs::current_path(nouveau); }
    ~DossierDeTravail() {
        std::error_code e;
        fs::current_path(ancien, e);
    }
};

}  // namespace

bool SurEcranDuJeu(int largeur, int hauteur, const std::function<void(Ecran&)>& dessin, std::string& erreur) {
    DossierTemporaire temporaire;
    if (!temporaire.Cree()) return erreur = "impossible de créer un dossier temporaire", false;
    const std::string config = "RESOLUTION_PREDEFINIE=9\nRESOLUTION_HORIZONTALE=" + std::to_string(largeur) +
                               "\nRESOLUTION_VERTICALE=" + std::to_string(hauteur) + "\nPLEIN_ECRAN=0\nMESSAGE_ERREUR=0\n";
    if (!EcritFichierEntier(Utf8DeChemin(temporaire.chemin / "LCConfig.txt"), config, erreur)) return false;
    DossierDeTravail travail(temporaire.chemin);
    std::string pourquoi;
    harness::Options options;  // the archive: the one this program carries
    harness::Start(
        [&]() {
            if (InitGraph(4, 1, 0) == 0 || InitFont() == 0) {
                pourquoi = GetMediaError();
                return 1;
            }
            SetFontMode(1);
            Ecran vue;
            OuvreArchive(vue);
            dessin(vue);
            LibereRessources(vue);
            return 0;
        },
        options);
    const bool fini = harness::Finished() && harness::ExitCode() == 0;
    harness::Stop();
    if (!fini) erreur = "l'écran du jeu ne s'ouvre pas sans fenêtre : " + (pourquoi.empty() ? std::string("dessin interrompu") : pourquoi);
    return fini;
}
