// pivolette import: Aiken and GIFT exports as other quiz systems write them,
// awkward corners included, turned into quiz text the encoder accepts.
#include <gtest/gtest.h>

#include <filesystem>

#include "importe.h"
#include "internal.h"
#include "lance.h"
#include "module_ecran.h"

using test_support::ReadFile;
using test_support::ScratchDir;
using test_support::WriteFile;

namespace {

const std::string AIKEN =
    "Quelle est la capitale de la France ?\r\n"
    "A. Lyon\r\n"
    "B. Paris\r\n"
    "C. Marseille\r\n"
    "D. Lille\r\n"
    "ANSWER: B\r\n"
    "\r\n"
    "Combien de pattes a une araign\xC3\xA9" "e ?\n"
    "A) six\n"
    "B) huit\n"
    "C) dix\n"
    "Answer: b\n"
    "\n"
    "Trop de choix ?\n"
    "A. un\nB. deux\nC. trois\nD. quatre\nE. cinq\n"
    "ANSWER: A\n"
    "\n"
    "Sans r\xC3\xA9ponse ?\n"
    "A. oui\nB. non\n"
    "\n"
    "Lettre inconnue ?\n"
    "A. oui\nB. non\nANSWER: F\n";

TEST(Import, AikenQuestionsAndTheOnesItCannotCarry) {
    std::vector<Diagnostic> d;
    const auto q = LitAiken(AIKEN, "a.txt", d);
    ASSERT_EQ(q.size(), 2u);
    EXPECT_EQ(q[0].texte, "Quelle est la capitale de la France ?");
    EXPECT_EQ(q[0].reponses, (std::vector<std::string>{"Lyon", "Paris", "Marseille", "Lille"}));
    EXPECT_EQ(q[0].bonne, 1);
    EXPECT_EQ(q[1].reponses.size(), 3u);  // answers with ")" instead of "."
    EXPECT_EQ(q[1].bonne, 1);
    EXPECT_EQ(q[1].ligne, 8);
    ASSERT_EQ(d.size(), 3u);
    EXPECT_EQ(d[0].ligne, 14);
    EXPECT_NE(d[0].message.find("plus de quatre"), std::string::npos);
    EXPECT_EQ(d[1].ligne, 22);
    EXPECT_NE(d[1].message.find("ANSWER"), std::string::npos);
    EXPECT_EQ(d[2].ligne, 26);
    EXPECT_FALSE(d[2].erreur);
}

const std::string GIFT =
    "// Export de la banque de questions\n"
    "$CATEGORY: $course$/CM1\n"
    "\n"
    "::Q1::[html]Quelle est la <b>couleur</b> du ciel ?{\n"
    "  =bleu#Bravo !\n"
    "  ~vert#Non.\n"
    "  ~rouge\n"
    "  ####Le ciel est bleu par beau temps.\n"
    "}\n"
    "\n"
    "// commentaire entre deux questions\n"
    "Combien font 2 \\= 2 \\{ ou pas \\} ?{=4 ~5 ~%0%22 ~\\~3}\n"
    "\n"
    "Le Petit Prince a \xC3\xA9t\xC3\xA9 \xC3\xA9" "crit par {~Victor Hugo =Antoine de Saint-Exup\xC3\xA9ry ~Jules Verne}.\n"
    "\n"
    "La Terre est ronde.{T}\n"
    "\n"
    "Deux bonnes r\xC3\xA9ponses ?{~%50%un ~%50%deux ~%-100%trois}\n"
    "\n"
    "Nommez un oiseau.{=merle =pie}\n"
    "\n"
    "Associez.{=chat -> miaou =chien -> ouaf}\n"
    "\n"
    "Racine de 16 ?{#4}\n"
    "\n"
    "Cinq choix{=a ~b ~c ~d ~e}\n"
    "\n"
    "Un simple texte de description.\n";

TEST(Import, GiftMultipleChoiceWithCommentsEscapesAndFeedback) {
    std::vector<Diagnostic> d;
    const auto q = LitGift(GIFT, "g.gift", d);
    ASSERT_EQ(q.size(), 4u);
    EXPECT_EQ(q[0].texte, "Quelle est la couleur du ciel ?");
    EXPECT_EQ(q[0].reponses, (std::vector<std::string>{"bleu", "vert", "rouge"}));
    EXPECT_EQ(q[0].bonne, 0);
    EXPECT_EQ(q[0].ligne, 4);
    EXPECT_EQ(q[1].texte, "Combien font 2 = 2 { ou pas } ?");
    EXPECT_EQ(q[1].reponses, (std::vector<std::string>{"4", "5", "22", "~3"}));
    EXPECT_EQ(q[2].texte, "Le Petit Prince a \xC3\xA9t\xC3\xA9 \xC3\xA9" "crit par ___.");
    EXPECT_EQ(q[2].bonne, 1);
    // A true/false question is carried as two answers.
    EXPECT_EQ(q[3].reponses, (std::vector<std::string>{"Vrai", "Faux"}));
    EXPECT_EQ(q[3].bonne, 0);
    ASSERT_EQ(d.size(), 6u);
    const char* raisons[] = {"pond\xC3\xA9r\xC3\xA9" "es", "courte", "appariement",
                             "num\xC3\xA9rique", "plus de quatre", "description"};
    const int lignes[] = {18, 20, 22, 24, 26, 28};
    for (int k = 0; k < 6; ++k) {
        EXPECT_NE(d[k].message.find(raisons[k]), std::string::npos) << d[k].message;
        EXPECT_EQ(d[k].ligne, lignes[k]) << d[k].message;
    }
}

TEST(Import, GiftBlocksWithoutTextOrWithUnclosedBraces) {
    std::vector<Diagnostic> d;
    const std::string gift =
        "{=a ~b}\n\nQuestion ouverte {=oui ~non\n\n~peut-\u00eatre}\n\nJamais ferm\u00e9e {=x ~y\n";
    const auto q = LitGift(gift, "g.gift", d);
    // A blank line inside open braces does not end the question.
    ASSERT_EQ(q.size(), 1u);
    EXPECT_EQ(q[0].reponses.size(), 3u);
    EXPECT_EQ(q[0].ligne, 3);
    ASSERT_EQ(d.size(), 2u);
    EXPECT_NE(d[0].message.find("sans texte"), std::string::npos);
    EXPECT_EQ(d[1].ligne, 7);
    EXPECT_NE(d[1].message.find("sans \xC2\xAB }"), std::string::npos) << d[1].message;
}

TEST(Import, LongTextsAreCutAtWordsToFitTheBoxes) {
    const auto l = CoupeEnLignes("le petit chat est mort dans la grange", 12, 3);
    EXPECT_EQ(l, (std::vector<std::string>{"le petit", "chat est", "mort dans la grange"}));
    EXPECT_EQ(CoupeEnLignes("  un  ", 20, 3), std::vector<std::string>{"un"});
    EXPECT_EQ(CoupeEnLignes("", 20, 3), std::vector<std::string>{""});
    // A lone punctuation mark never starts a line, nor does "«" end one.
    EXPECT_EQ(CoupeEnLignes("Quelle est ta couleur ?", 21, 3), (std::vector<std::string>{"Quelle est ta", "couleur ?"}));
    EXPECT_EQ(CoupeEnLignes("il dit \xC2\xAB oui \xC2\xBB", 8, 3),
              (std::vector<std::string>{"il dit", "\xC2\xAB oui \xC2\xBB"}));
    // Accented letters count as one character each.
    EXPECT_EQ(CoupeEnLignes("\xC3\xA9\xC3\xA9\xC3\xA9 \xC3\xA9\xC3\xA9", 6, 3).size(), 1u);
}

std::string Repete(const std::string& motif, int fois) {
    std::string r;
    for (int k = 0; k < fois; ++k) r += motif;
    return r;
}

// Cutting long texts into display lines with the game's measure (as
// `pivolette import` does, fonts and all) hands the measure work that grows
// as the text does: twice the words, about twice the characters measured.
// Measuring the growing last line again for each word made it four times.
TEST(Import, TheMeasuresWorkGrowsAsTheTextDoes) {
    struct Forme {
        const char* nom;
        std::string (*gift)(int mots);
    };
    const Forme formes[] = {
        {"a question of words", [](int n) { return "Q " + Repete("mot ", n) + "{=a ~b ~c}\n"; }},
        {"an answer of words", [](int n) { return "Q ?{=" + Repete("mot ", n) + " ~b ~c}\n"; }},
        {"words after a word wider than the box",
         [](int n) { return "Q " + std::string(4000, 'm') + " " + Repete("mot ", n) + "{=a ~b}\n"; }},
    };
    lc::SetFusedArchivePath(GRELINOR_ARCHIVE);
    for (const Forme& f : formes) {
        std::size_t travail[2] = {};
        for (int k = 0; k < 2; ++k) {
            std::vector<Diagnostic> d;
            const auto q = LitGift(f.gift(3000 << k), "long.gift", d);
            ASSERT_EQ(q.size(), 1u) << f.nom;
            const std::size_t avant = CaracteresMesures();
            std::string erreur, texte;
            const auto coupe = [&](const TientDansCase& tient) { texte = TexteQuizz(q, "long", "long.gift", d, tient); };
            ASSERT_TRUE(SurEcranMesure(coupe, erreur)) << erreur;
            EXPECT_NE(texte.find("\nQ"), std::string::npos) << f.nom;
            travail[k] = CaracteresMesures() - avant;
        }
        EXPECT_GT(travail[0], 0u) << f.nom;
        EXPECT_LE(static_cast<double>(travail[1]), 2.3 * static_cast<double>(travail[0]))
            << f.nom << ": " << travail[0] << " then " << travail[1] << " characters measured";
    }
    lc::SetFusedArchivePath("");
}

TEST(Import, TheProgramWritesAQuizTheEncoderAccepts) {
    ScratchDir dossier;
    WriteFile("cm1.gift", GIFT);
    const Sortie s = Pivolette("import gift cm1.gift -o quiz.txt");
    EXPECT_EQ(s.code, 1);  // some questions were left out
    EXPECT_EQ(Occurrences(s.err, "warning: question non reprise"), 6) << s.err;
    const std::string texte = ReadFile("quiz.txt");
    EXPECT_EQ(texte.rfind("cm1\n", 0), 0u) << texte;
    // Lines are cut where the game's boxes end, as measured: these fit whole.
    EXPECT_NE(texte.find("\nLe Petit Prince a \xC3\xA9t\xC3\xA9 \xC3\xA9" "crit par ___.\n"), std::string::npos) << texte;
    EXPECT_NE(texte.find("\nAntoine de Saint-Exup\xC3\xA9ry\n"), std::string::npos) << texte;
    EXPECT_NE(texte.find("\n-3\n1\n--\n"), std::string::npos) << texte;  // "~" is a video marker
    EXPECT_EQ(Pivolette("encode quiz.txt").code, 0) << ReadFile("sortie.err");

    WriteFile("a.txt", AIKEN);
    EXPECT_EQ(Pivolette("import aiken a.txt -o aiken.txt").code, 1);
    EXPECT_EQ(Pivolette("encode aiken.txt").code, 0) << ReadFile("sortie.err");
    WriteFile("vide.txt", "rien\n");
    EXPECT_EQ(Pivolette("import gift vide.txt").code, 1);
    EXPECT_EQ(Pivolette("import moodle a.txt").code, 2);
    EXPECT_EQ(Pivolette("import aiken absent.txt").code, 2);
}

// A weight is read with the bounded number reader: no text overflows it.
TEST(Import, GiftWeightsOfAnySizeAreReadWithinBounds) {
    const struct {
        const char* reponses;
        int bonne;  // -1: the question is left out
    } cas[] = {
        {"{=%100%oui ~%0%non}", 0},
        {"{~non =%99999999999999999999%oui}", 1},
        {"{=oui ~%-99999999999999999999%non}", 0},
        {"{=%1e120%oui ~non}", -1},  // 1 %: a weighted answer
        {"{=%nan%oui ~%inf%non}", -1},
    };
    for (const auto& c : cas) {
        std::vector<Diagnostic> d;
        const auto q = LitGift(std::string("Poids ?") + c.reponses + "\n", "g.gift", d);
        ASSERT_EQ(q.size(), c.bonne < 0 ? 0u : 1u) << c.reponses;
        if (c.bonne >= 0) {
            EXPECT_EQ(q[0].bonne, c.bonne) << c.reponses;
        }
        EXPECT_EQ(d.size(), c.bonne < 0 ? 1u : 0u) << c.reponses;
    }
}

// The same word in each encoding a teacher's file may come in, at line 4,
// column 10, of a GIFT export and of a quiz text: import and encode read or
// refuse it alike, and a refusal names the same place.
TEST(Import, ImportAndEncodeDecideATextsEncodingAlike) {
    struct Cas {
        const char* nom;
        std::string debut;  // before the first line
        std::string mot;
        const char* refus;  // ":line:column: error:" when refused
    };
    const Cas cas[] = {
        {"UTF-8", "", "\xC3\xA9t\xC3\xA9", nullptr},
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF", "\xC3\xA9t\xC3\xA9", nullptr},
        {"Windows-1252", "", "\xE9t\xE9", nullptr},
        {"UTF-8 with one stray byte", "", "\xC3\xA9t\xE9", ":4:12: error:"},
        {"Windows-1252 with an undefined byte", "", "\xE9t\x81", ":4:12: error:"},
    };
    ScratchDir dossier;
    for (const Cas& c : cas) {
        WriteFile("f.gift", c.debut + "// banque\n// CM1\n\nQuestion " + c.mot + " ?{=oui ~non}\n");
        WriteFile("q.txt", c.debut + "Quiz\nTh\nlibre\nQuestion " + c.mot + " ?\nA\nB\nC\nD\n1\n--\n");
        std::filesystem::remove("f.txt");
        std::filesystem::remove("q");
        const Sortie import = Pivolette("import gift f.gift -o f.txt");
        const Sortie encode = Pivolette("encode q.txt");
        if (c.refus == nullptr) {
            EXPECT_EQ(import.code, 0) << c.nom << import.err;
            EXPECT_EQ(encode.code, 0) << c.nom << encode.err;
            EXPECT_NE(ReadFile("f.txt").find("\nQuestion \xC3\xA9t\xC3\xA9 ?\n"), std::string::npos) << c.nom;
            EXPECT_NE(Pivolette("decode q").out.find("\nQuestion \xC3\xA9t\xC3\xA9 ?\n"), std::string::npos) << c.nom;
            continue;
        }
        EXPECT_EQ(import.code, 2) << c.nom;
        EXPECT_EQ(encode.code, 1) << c.nom;
        EXPECT_EQ(Occurrences(import.err, std::string("f.gift") + c.refus), 1) << c.nom << import.err;
        EXPECT_EQ(Occurrences(encode.err, std::string("q.txt") + c.refus), 1) << c.nom << encode.err;
        EXPECT_FALSE(std::filesystem::exists("f.txt") || std::filesystem::exists("q")) << c.nom;
    }
}

}  // namespace

// Exports as other quiz systems write them, kept in tests/teacher/corpus/:
// each question carried or left out with its own line and reason.
namespace corpus {

const std::string DOSSIER = std::string(SOURCE_DIR) + "/tests/teacher/corpus/";

struct Attendue {
    int ligne;
    const char* texte;
    std::vector<std::string> reponses;
    int bonne;
    const char* image;
    const char* son;
};

struct Avertissement {
    int ligne;
    const char* fragment;
};

struct Export {
    const char* fichier;
    bool gift;
    std::vector<Attendue> questions;
    std::vector<Avertissement> avertissements;  // in this order, each once
};

const Export EXPORTS[] = {
    {"banque_cm1.gift", true,
     {{4, "Quelle est la capitale de l\u2019Italie ?", {"Rome", "Milan", "Naples"}, 0, "", ""},
      {11, "Quel est cet oiseau ?", {"Le hibou", "La pie", "Le merle"}, 0, "hibou.png", ""},
      {18, "Qui chante ainsi ? \u00e9couter", {"La m\u00e9sange", "Le coucou"}, 1, "", ""},
      {24, "Que fait la ligne #include {stdio.h} en C : rien ?",
       {"Elle ajoute un fichier", "Elle affiche un # \u00e0 l'\u00e9cran", "Elle compare a = b"}, 0, "", ""},
      {45, "Le Soleil est une \u00e9toile.", {"Vrai", "Faux"}, 0, "", ""},
      {48, "La Lune brille par elle-m\u00eame.", {"Vrai", "Faux"}, 1, "", ""},
      {56, "Combien de continents compte-t-on ?", {"quatre", "cinq", "huit"}, 1, "", ""},
      {59, "Quel mot commence par une voyelle ?", {"\u00c9cole, non : b\u00e2timent", "\u00c9l\u00e8ve"}, 1, "", ""},
      {70, "Combien font 3 \u00d7 3 ?", {"6", "9", "12"}, 1, "", ""}},
     {{18, "son \u00ab coucou gris.mp3 \u00bb introuvable"},
      {31, "r\u00e9ponse courte"},
      {38, "appariement"},
      {51, "sans \u00ab } \u00bb"},
      {59, "image \u00ab ecole.jpg \u00bb introuvable"},
      {65, "sans \u00ab } \u00bb"},
      {67, "sans \u00ab } \u00bb"}}},
    {"notes_markdown.gift", true,
     {{3, "Dans la phrase \u00ab Le chat dort \u00bb, quel est le sujet ?", {"dort", "Le chat", "Le"}, 1, "", ""},
      {5, "Calcul Combien font 2 * 3 ?", {"6", "5", "9"}, 0, "", ""},
      {7, "Observe l'image : c'est un ch\u00eane ?", {"Vrai", "Faux"}, 0, "", ""}},
     {{7, "image \u00ab arbre.png \u00bb introuvable"}, {9, "num\u00e9rique"}, {11, "composition"}}},
    {"aiken_ce1.txt", false,
     {{1, "Combien de jours dans une semaine ?", {"5", "7", "10"}, 1, "", ""},
      {7, "Quel animal miaule ?", {"le chien", "le chat"}, 1, "", ""},
      {12, "Quelle couleur obtient-on avec du bleu et du jaune ?", {"vert", "violet", "orange", "marron"}, 0, "", ""}},
     {}},
};

TEST(Import, ExportsOfOtherQuizSystems) {
    for (const Export& e : EXPORTS) {
        const std::string chemin = DOSSIER + e.fichier;
        std::vector<Diagnostic> d;
        const auto q = e.gift ? LitGift(ReadFile(chemin), chemin, d) : LitAiken(ReadFile(chemin), chemin, d);
        ASSERT_EQ(q.size(), e.questions.size()) << e.fichier;
        for (std::size_t k = 0; k < q.size(); ++k) {
            const Attendue& a = e.questions[k];
            EXPECT_EQ(q[k].ligne, a.ligne) << e.fichier;
            EXPECT_EQ(q[k].texte, a.texte) << e.fichier << ":" << a.ligne;
            EXPECT_EQ(q[k].reponses, a.reponses) << e.fichier << ":" << a.ligne;
            EXPECT_EQ(q[k].bonne, a.bonne) << e.fichier << ":" << a.ligne;
            EXPECT_EQ(q[k].image, a.image) << e.fichier << ":" << a.ligne;
            EXPECT_EQ(q[k].son, a.son) << e.fichier << ":" << a.ligne;
        }
        RangeDiagnostics(d);
        ASSERT_EQ(d.size(), e.avertissements.size()) << e.fichier;
        for (std::size_t k = 0; k < d.size(); ++k) {
            EXPECT_EQ(d[k].ligne, e.avertissements[k].ligne) << d[k].message;
            EXPECT_NE(d[k].message.find(e.avertissements[k].fragment), std::string::npos) << d[k].message;
        }
    }
}

// The written quiz shows a "#" as the game's "##", names the picture with
// its marker, and the encoder takes it; the warnings come in line order.
TEST(Import, AMoodleExportBecomesAQuizTheGameShowsAsWritten) {
    ScratchDir dossier;
    const Sortie s = Pivolette("import gift " + DOSSIER + "banque_cm1.gift -o quiz.txt");
    EXPECT_EQ(s.code, 1) << s.err;
    const std::size_t son = s.err.find("coucou gris"), courte = s.err.find("courte"), image = s.err.find("ecole.jpg");
    EXPECT_TRUE(son < courte && courte < image) << s.err;
    const std::string texte = ReadFile("quiz.txt");
    EXPECT_NE(texte.find("\nQuel est cet oiseau ?\u00a7hibou.png\n"), std::string::npos) << texte;
    EXPECT_NE(texte.find("##include"), std::string::npos) << texte;
    EXPECT_NE(texte.find("un ## \u00e0"), std::string::npos) << texte;
    EXPECT_NE(texte.find("\nVrai\nFaux\n\n\n2\n"), std::string::npos) << texte;
    EXPECT_EQ(Pivolette("encode quiz.txt").code, 0) << ReadFile("sortie.err");
}

}  // namespace corpus
