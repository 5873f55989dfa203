// Every screen of the game, at the three display sizes a classroom meets,
// with the longest texts the data files allow: each text on the screen,
// inside its box, and readable against what lies around it. Each frame the
// game presents is judged with the texts drawn since the previous one.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "../media/picture_files.h"
#include "etat.h"
#include "lisibilite.h"
#include "test_extraits_outils.h"
#include "test_partie_outils.h"

namespace {

struct Taille {
    int w, h;
};

// `n` characters of capital words, the widest ordinary text.
std::string Long(int n, const std::string& mot = "MAMMOUTH ") {
    std::string t;
    while (static_cast<int>(t.size()) < n) t += mot;
    t.resize(static_cast<size_t>(n));
    if (t.back() == ' ') t.back() = 'X';
    return t;
}
std::string TroisLignes(int n) { return Long(n) + "|" + Long(n, "\xC9L\xC9PHANT ") + "|" + Long(n, "WAPITI "); }

// Four questions, each a medium or none, with the longest texts of each
// field: a question line of 254 characters, three lines of 80 (with the
// medium's name, the line's 254), three answer lines of 59 characters,
// one-line answers of 59, 23 and 22 beside pictures.
std::vector<partie::QuestionTest> QuestionsLongues() {
    const std::string image = "\xA7" "carre.png";
    return {
        {Long(254, "QUI A VU LE MAMMOUTH ? "),
         {TroisLignes(59), Long(59), Long(22), Long(23, "OURS ")}, "1"},
        {TroisLignes(80) + image,
         {TroisLignes(59) + image, Long(59) + image, Long(22) + image, Long(23) + image}, "2"},
        {Long(200, "QUEL CRI ENTENDS-TU ? ") + "\xB5" "cri.mp3", {"le loup", "le hibou", "la vache", "le chat"}, "3"},
        {TroisLignes(80) + "~drapeau.mp4", {Long(59), "deux", TroisLignes(59), "quatre"}, "4"},
    };
}

// The pupil list of n pupils, every field at its longest (28 characters).
std::string Liste(int n) {
    std::string t = std::to_string(n) + "\n";
    for (int i = 0; i < n; ++i) t += Long(28, "DUPONTEL ") + "\n" + Long(28, "Marie-Louise ") + "\n" + Long(28, "CP ") + "\n";
    return t;
}

void Arbre(const Taille& t, int eleves) {
    partie::EcritConfig(t.w, t.h);
    partie::EcritReglages("infos_jeu_DEMO0", "4", "40", false);
    partie::EcritReglages("infos_jeu_DEMO", "4", "40", true);
    partie::EcritListe(Liste(eleves));
    partie::EcritQuizz(QuestionsLongues());
    for (const char* d : {"images", "sons", "videos"}) std::filesystem::create_directories(std::string("InfosQuizz/questions/") + d);
    picture_files::SolidPng("InfosQuizz/questions/images/carre.png", 64, 64, 0xFF3060C0u);
    partie::CopieSonMuet("InfosQuizz/questions/sons/cri.mp3");
    test_support::WriteFile("InfosQuizz/questions/videos/drapeau.mp4",
                            test_support::ReadFile(SOURCE_DIR "/demo/InfosQuizz/questions/videos/drapeau.mp4"));
}

bool Contient(const std::vector<harness::TextDrawn>& textes, const std::string& debut) {
    for (const auto& t : textes)
        if (t.text.rfind(debut, 0) == 0) return true;
    return false;
}

class Lisibilite : public ::testing::TestWithParam<Taille> {
protected:
    void SetUp() override {
        cx_ = GetParam().w / 1024.0;
        cy_ = GetParam().h / 768.0;
        Guette();
    }
    // The harness forgets the hook at the end of each run.
    void Guette() {
        harness::OnPresent([this] { Juge(); });
    }
    void Arrete() {
        harness::Stop();
        Guette();
    }
    void TearDown() override {
        harness::OnPresent(nullptr);
        harness::Stop();
    }

    harness::Zone Ref(int x1, int y1, int x2, int y2) const {
        return {static_cast<int>(x1 * cx_), static_cast<int>(y1 * cy_), static_cast<int>(x2 * cx_),
                static_cast<int>(y2 * cy_)};
    }

    // The boxes of the frame being judged: the mouse areas (the "@" corner
    // mark's left out: it is a mark, not a box) and the boxes of the
    // question screen's artwork.
    std::vector<harness::Zone> Boites(const std::vector<harness::TextDrawn>& textes) const {
        std::vector<harness::Zone> b;
        const std::vector<harness::Zone> zones = harness::MouseAreas();
        for (size_t i = 0; i < zones.size(); ++i)
            if (!(zones[i].x2 - zones[i].x1 < 40 * cx_ && zones[i].x2 >= GetParam().w - 50)) b.push_back(zones[i]);
        if (Contient(textes, "FIN DU QUIZZ !")) {
            b.push_back(Ref(100, 230, 880, 360));  // the end-of-quiz panel
        } else if (ecran_ == "credits") {
            const int gx = static_cast<int>(145 * cx_), gy = static_cast<int>(175 * cy_);
            b.push_back({gx, gy, GetParam().w - 1 - gx, GetParam().h - 1 - gy});  // the inner frame
        } else if (ecran_ == "question" || ecran_ == "review") {
            b.push_back(Ref(223, 228, 800, 365));  // the question band, between the dial and the thumbnail
            b.push_back(Ref(125, 100, 215, 175));  // the counters
            b.push_back(Ref(810, 100, 900, 175));
            const int r = static_cast<int>(55 * cy_), x = static_cast<int>(160 * cx_), y = static_cast<int>(296 * cy_);
            b.push_back({x - r, y - r, x + r, y + r});  // the dial
        }
        return b;
    }

    // Judges the frame just presented with the texts drawn since the last.
    void Juge() {
        const std::vector<harness::TextDrawn> textes = harness::Texts();
        if (textes.empty()) return;  // a picture or a wipe: nothing to read
        harness::ClearTexts();
        lisibilite::Image image;
        image.pixels = harness::Frame(&image.w, &image.h);
        for (const std::string& d : lisibilite::Defauts(image, textes, Boites(textes))) defauts_.push_back(ecran_ + ": " + d);
        for (const auto& t : textes) vus_.insert(t.text);
    }

    // The centre of mouse area n.
    void Clique(size_t n) {
        const std::vector<harness::Zone> z = harness::MouseAreas();
        ASSERT_LT(n, z.size()) << ecran_ << (harness::Messages().empty() ? "" : harness::Messages().back());
        harness::ClickAt((z[n].x1 + z[n].x2) / 2, (z[n].y1 + z[n].y2) / 2);
    }
    void CliqueTenu(size_t n) {
        const std::vector<harness::Zone> z = harness::MouseAreas();
        ASSERT_LT(n, z.size()) << ecran_;
        extraits::ClicTenu((z[n].x1 + z[n].x2) / 2, (z[n].y1 + z[n].y2) / 2);
    }

    // Starts the game on its class list of `eleves` pupils.
    void JusquALaListe(int eleves) {
        Arbre(GetParam(), eleves);
        ecran_ = "class level";
        partie::Lance();
        Clique(0);
        ecran_ = "list of " + std::to_string(eleves);
        Clique(6);
        ecran_ = "list of " + std::to_string(eleves) + ", one chosen";
        Clique(1);
    }

    // Every sector of the dial up to second t is painted: no black pixel
    // in the band before the last sector's start.
    int TrousDuCadran(int t, int d) {
        const int r = static_cast<int>(55 * cy_), x0 = static_cast<int>(160 * cx_), y0 = static_cast<int>(296 * cy_);
        int trous = 0;
        for (int y = y0 - r; y <= y0 + r; ++y)
            for (int x = x0 - r; x <= x0 + r; ++x) {
                const double rho = std::hypot(x - x0, y - y0);
                double a = std::atan2(y - y0, x - x0) * 180 / 3.14159;
                if (a < -90) a += 360;
                if (rho < r / 2 + 3 || rho > 9 * r / 10 - 3 || a > -90 + t * (360 / d) - 3) continue;
                if (harness::Pixel(x, y) == 0x000000u) ++trous;
            }
        return trous;
    }

    double cx_ = 1, cy_ = 1;
    std::string ecran_;
    std::vector<std::string> defauts_;
    std::set<std::string> vus_;
    test_support::ScratchDir dossier_;
};

TEST_P(Lisibilite, EveryScreenKeepsItsTextsOnScreenInTheirBoxesAndReadable) {
    // The short and the long class lists.
    for (int eleves : {1, 60}) {
        JusquALaListe(eleves);
        ASSERT_TRUE(harness::Healthy());
        Arrete();
    }
    // Name entry.
    Arbre(GetParam(), 12);
    ecran_ = "class level";
    partie::Lance();
    Clique(4);
    ecran_ = "name entry";
    Clique(6);
    extraits::Entre("dupont");
    extraits::Entre("marie");
    Arrete();

    // A whole run: list of 12, the four questions and their media, the end
    // notice, the review, the score and the credits.
    JusquALaListe(12);
    ecran_ = "question";
    Clique(13);
    ASSERT_TRUE(harness::Healthy());
    harness::Advance(38000, 1000);
    EXPECT_EQ(TrousDuCadran(38, 40), 0) << "a sector of the dial stayed black";
    if (HasFailure()) harness::SaveShot("dial-" + std::to_string(GetParam().w));
    for (int q = 0; q < 4 && !harness::Finished(); ++q) {
        const FicheQuestion& fiche = partie::EnCours().Jeu.Question[partie::EnCours().Jeu.NumQuestion];
        const bool video = fiche.Video[0] != '\0';
        if (fiche.Image[0] != '\0' || fiche.Son[0] != '\0' || video) {
            ecran_ = fiche.Image[0] ? "picture view" : fiche.Son[0] ? "sound view" : "video view";
            CliqueTenu(5);
            harness::Advance(1000);
            if (video) {
                Clique(6);
            } else {
                CliqueTenu(2);
            }
            ecran_ = "question";
        }
        harness::Advance(1000);
        Clique(1);
    }
    ecran_ = "review";
    for (int q = 0; q < 3; ++q) harness::Key(' ');
    ecran_ = "score";
    harness::Key(' ');
    ecran_ = "credits";
    harness::Key(' ');
    harness::Key(' ');
    EXPECT_TRUE(harness::Finished());

    for (const char* texte : {"Quelle est ta classe ?", "Sélectionne ton nom dans la liste suivante",
                              "Renseigne ton nom et ton prénom (sans accent)...", "QUI A VU LE MAMMOUTH",
                              "Cliquez sur l'image pour l'observer en plein écran !", "Remarques :",
                              "FIN DU QUIZZ !", "Correction de la question 4", "Résultat obtenu :", "'PIVOLETTE' !"}) {
        bool vu = false;
        for (const std::string& t : vus_) vu = vu || t.find(texte) != std::string::npos;
        EXPECT_TRUE(vu) << "never drawn: " << texte;
    }
    std::string liste;
    for (const std::string& d : defauts_) liste += d + "\n";
    EXPECT_TRUE(defauts_.empty()) << defauts_.size() << " faults:\n" << liste;
}

INSTANTIATE_TEST_SUITE_P(Tailles, Lisibilite, ::testing::Values(Taille{640, 480}, Taille{1024, 768}, Taille{1920, 1080}),
                         [](const auto& info) { return std::to_string(info.param.w) + "x" + std::to_string(info.param.h); });

}  // namespace
