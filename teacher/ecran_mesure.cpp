// The game's screen, headless, through the media layer's harness.
#include "ecran_mesure.h"

#include <filesystem>
#include <mutex>
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

// The screen kept open between drawings: the program's thread waits for a
// key, and each key runs `travail` on the same screen and fonts.
struct EcranOuvert {
    std::mutex verrou;  // one drawing at a time, whatever thread asks
    bool ouvert = false;
    int largeur = 0, hauteur = 0;
    const std::function<void(Ecran&)>* travail = nullptr;
    std::string pourquoi;
};

EcranOuvert& Ouvert() {
    static EcranOuvert e;
    return e;
}

// The screen's resources freed however the program's thread ends.
struct Liberation {
    Ecran& vue;
    ~Liberation() { LibereRessources(vue); }
};

// Opens the screen (closing another run first); false with `erreur`.
bool Ouvre(EcranOuvert& o, int largeur, int hauteur, std::string& erreur) {
    harness::Stop();
    o.ouvert = false;
    o.pourquoi.clear();
    DossierTemporaire temporaire;
    if (!temporaire.Cree()) return erreur = "impossible de créer un dossier temporaire", false;
    const std::string config = "RESOLUTION_PREDEFINIE=9\nRESOLUTION_HORIZONTALE=" + std::to_string(largeur) +
                               "\nRESOLUTION_VERTICALE=" + std::to_string(hauteur) + "\nPLEIN_ECRAN=0\nMESSAGE_ERREUR=0\n";
    if (!EcritFichierEntier(Utf8DeChemin(temporaire.chemin / "LCConfig.txt"), config, erreur)) return false;
    DossierDeTravail dossier(temporaire.chemin);
    harness::Start([&o]() {
        if (InitGraph(4, 1, 0) == 0 || InitFont() == 0) {
            o.pourquoi = GetMediaError();
            return 1;
        }
        SetFontMode(1);
        Ecran vue;
        Liberation liberation{vue};
        OuvreArchive(vue);
        for (;;) {
            if (GetKeyPressed() >= 0 && o.travail) (*o.travail)(vue);
        }
    });
    if (harness::Finished() || !harness::Healthy()) {
        harness::Stop();
        return erreur = "l'écran du jeu ne s'ouvre pas sans fenêtre : " + (o.pourquoi.empty() ? std::string("dessin interrompu") : o.pourquoi), false;
    }
    o.ouvert = true;
    o.largeur = largeur;
    o.hauteur = hauteur;
    return true;
}

}  // namespace

bool SurEcranOuvert(int largeur, int hauteur, const std::function<void(Ecran&)>& dessin, std::string& erreur) {
    EcranOuvert& o = Ouvert();
    const std::lock_guard<std::mutex> garde(o.verrou);
    const bool taille = largeur <= 0 || (largeur == o.largeur && hauteur == o.hauteur);
    if (!(o.ouvert && taille) && !Ouvre(o, largeur > 0 ? largeur : 1024, hauteur > 0 ? hauteur : 768, erreur)) return false;
    o.travail = &dessin;
    harness::Key(13);
    o.travail = nullptr;
    harness::ClearTexts();
    if (harness::Finished() || !harness::Healthy()) {
        harness::Stop();
        o.ouvert = false;
        return erreur = "l'écran du jeu s'est fermé pendant le dessin", false;
    }
    return true;
}

void FermeEcranOuvert() {
    EcranOuvert& o = Ouvert();
    const std::lock_guard<std::mutex> garde(o.verrou);
    if (o.ouvert) harness::Stop();
    o.ouvert = false;
}

bool SurEcranDuJeu(int largeur, int hauteur, const std::function<void(Ecran&)>& dessin, std::string& erreur) {
    FermeEcranOuvert();
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
