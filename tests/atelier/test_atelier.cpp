// The workshop's server in-process, on the real libmicrohttpd daemon on
// 127.0.0.1: what it refuses, and that a page's save never loses a file.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "atelier.h"
#include "chemins.h"
#include "client_http.h"
#include "navigateur.h"
#include "operations.h"
#include "serveur.h"
#include "test_support.h"

namespace fs = std::filesystem;
using Json = nlohmann::json;
using test_support::ReadFile;
using test_support::ScratchDir;
using test_support::WriteFile;

namespace {

class AtelierTest : public ::testing::Test {
protected:
    ScratchDir dossier;
    Atelier atelier;
    Serveur serveur;
    std::string cookie;

    void SetUp() override {
        std::string erreur;
        ASSERT_TRUE(CreeDossierJeu("classe", erreur)) << erreur;
        ASSERT_TRUE(ChoisitDossier(atelier, "classe"));
        atelier.jeton = HexAleatoire(16);
        atelier.csrf = HexAleatoire(16);
        ASSERT_EQ(atelier.jeton.size(), 32u);
        ASSERT_TRUE(serveur.Demarre(atelier, 0, erreur)) << erreur;
        ASSERT_GT(atelier.port, 0);
        const RetourHttp r = Envoie(atelier.port, {"GET", "/?jeton=" + atelier.jeton});
        ASSERT_EQ(r.statut, 303);
        const std::string c = r.entetes.at("set-cookie");
        EXPECT_NE(c.find("HttpOnly"), std::string::npos);
        EXPECT_NE(c.find("SameSite=Strict"), std::string::npos);
        cookie = c.substr(c.find('=') + 1, c.find(';') - c.find('=') - 1);
    }

    // A request of the workshop's own page.
    RetourHttp Page(const std::string& methode, const std::string& chemin, const std::string& corps = "") {
        Appel a{methode, chemin, corps, cookie, atelier.csrf};
        return Envoie(atelier.port, a);
    }
    Json PageJson(const std::string& methode, const std::string& chemin, const std::string& corps = "") {
        return Json::parse(Page(methode, chemin, corps).corps);
    }
    std::string Donnees(const char* relatif) { return ReadFile(fs::path("classe/InfosQuizz") / relatif); }
};

TEST_F(AtelierTest, EveryRefusalOfTheGuardChangesNothing) {
    const std::string port = std::to_string(atelier.port);
    const std::string liste = Donnees("infos/infos_quizz_DEMO");
    const std::string corps = R"({"version":"x","eleves":[]})";
    struct Cas {
        const char* quoi;
        Appel appel;
        int statut;
    };
    const Cas cas[] = {
        {"a foreign Host (DNS rebinding)", {"GET", "/api/session", "", cookie, "", "evil.example:" + port}, 403},
        {"localhost is the same server", {"GET", "/api/session", "", cookie, "", "localhost:" + port}, 200},
        {"no cookie", {"GET", "/api/classe", "", "", ""}, 401},
        {"another cookie", {"GET", "/api/classe", "", std::string(32, 'a'), ""}, 401},
        {"the token once spent", {"GET", "/?jeton=" + atelier.jeton}, 403},
        {"a write without the CSRF header", {"PUT", "/api/classe", corps, cookie, ""}, 403},
        {"a write from another origin", {"PUT", "/api/classe", corps, cookie, atelier.csrf, "", "http://evil.example"}, 403},
        {"an unknown method", {"PATCH", "/api/classe", corps, cookie, atelier.csrf}, 405},
        {"a known path, another method", {"DELETE", "/api/classe", "", cookie, atelier.csrf}, 405},
        {"no such resource", {"GET", "/api/rien", "", cookie, ""}, 404},
    };
    for (const Cas& c : cas) {
        const RetourHttp r = Envoie(atelier.port, c.appel);
        EXPECT_EQ(r.statut, c.statut) << c.quoi;
        EXPECT_EQ(r.entetes.count("content-security-policy"), 1u) << c.quoi;
        EXPECT_EQ(r.entetes.at("x-content-type-options"), "nosniff") << c.quoi;
    }
    EXPECT_EQ(Donnees("infos/infos_quizz_DEMO"), liste);
}

TEST_F(AtelierTest, AnOversizeBodyIsRefusedFromItsAnnouncedLengthUnread) {
    // 300 MB announced, none sent: the answer comes at once, not after a
    // read that would wait for the body.
    const std::string tete = "POST /api/medias/videos?nom=film.mp4 HTTP/1.1\r\nHost: 127.0.0.1:" +
                             std::to_string(atelier.port) + "\r\nCookie: atelier=" + cookie +
                             "\r\nX-Atelier-CSRF: " + atelier.csrf + "\r\nContent-Length: 300000000\r\n\r\n";
    EXPECT_EQ(EnvoieBrut(atelier.port, tete).statut, 413);
    // A form's limit is far below a video's.
    EXPECT_EQ(Page("PUT", "/api/classe", std::string(3 * 1024 * 1024, ' ')).statut, 413);
    const std::string sans = "PUT /api/classe HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(atelier.port) +
                             "\r\nCookie: atelier=" + cookie + "\r\nX-Atelier-CSRF: " + atelier.csrf +
                             "\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n\r\n";
    EXPECT_EQ(EnvoieBrut(atelier.port, sans).statut, 411);
}

TEST_F(AtelierTest, AnUploadNameNeverLeavesTheMediaFolder) {
    const std::string wav = std::string("RIFF\x24\0\0\0WAVEfmt ", 16) + std::string(28, '\1');
    for (const char* nom : {"..%2F..%2Finfos%2Finfos_jeu_DEMO", "..%5C..%5Cvoix.wav", "%2Fetc%2Fpasswd"}) {
        const RetourHttp r = Page("POST", std::string("/api/medias/sons?nom=") + nom, wav);
        ASSERT_EQ(r.statut, 201) << nom << r.corps;
        const std::string sur = Json::parse(r.corps).at("nom");
        EXPECT_EQ(sur.find_first_of("/\\"), std::string::npos) << sur;
        EXPECT_EQ(sur.substr(sur.size() - 4), ".wav");
        EXPECT_EQ(ReadFile(fs::path("classe/InfosQuizz/questions/sons") / sur), wav) << sur;
    }
    EXPECT_EQ(Donnees("infos/infos_jeu_DEMO").substr(0, 16), "Mon premier quiz");
    // The type comes from the bytes, not the name.
    EXPECT_EQ(Page("POST", "/api/medias/sons?nom=voix.wav", "<html>pas un son</html>").statut, 415);
}

TEST_F(AtelierTest, AnSvgThatCouldRunOrFetchIsRefusedAndAStoredOneIsServedSandboxed) {
    const std::string tete = "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"40\" height=\"30\"";
    for (const std::string& corps : {tete + "><script>alert(1)</script></svg>",
                                     tete + " onload =\"alert(1)\"><rect width=\"4\" height=\"3\"/></svg>",
                                     tete + "><image href=\"http://ailleurs/x.png\" width=\"4\" height=\"3\"/></svg>",
                                     tete + "><foreignObject><p>x</p></foreignObject></svg>"}) {
        const RetourHttp r = Page("POST", "/api/medias/images?nom=dessin.svg", corps);
        EXPECT_EQ(r.statut, 422) << corps << "\n" << r.corps;
    }
    EXPECT_FALSE(fs::exists("classe/InfosQuizz/questions/images/dessin.svg"));
    // One put there by hand is still only shown, never run, by the page.
    const std::string svg = tete + "><script>alert(1)</script></svg>";
    WriteFile("classe/InfosQuizz/questions/images/main.svg", svg);
    const RetourHttp servi = Page("GET", "/medias/images/main.svg");
    ASSERT_EQ(servi.statut, 200);
    EXPECT_EQ(servi.corps, svg);
    EXPECT_EQ(servi.entetes.at("content-type"), "image/svg+xml");
    EXPECT_NE(servi.entetes.at("content-security-policy").find("; sandbox"), std::string::npos);
    EXPECT_EQ(servi.entetes.at("x-content-type-options"), "nosniff");
}

TEST_F(AtelierTest, TwoSavesAgainstOneVersionLoseNothing) {
    const Json classe = PageJson("GET", "/api/classe");
    Json premier = {{"version", classe.at("version")}, {"eleves", classe.at("eleves")}};
    premier["eleves"][0]["prenom"] = "Léonie";
    Json second = premier;
    second["eleves"][0]["prenom"] = "Lou";
    ASSERT_EQ(Page("PUT", "/api/classe", premier.dump()).statut, 200);
    const std::string apres = Donnees("infos/infos_quizz_DEMO");
    const RetourHttp r = Page("PUT", "/api/classe", second.dump());
    EXPECT_EQ(r.statut, 409);
    EXPECT_EQ(Json::parse(r.corps).at("version"), PageJson("GET", "/api/classe").at("version"));
    EXPECT_EQ(Donnees("infos/infos_quizz_DEMO"), apres);
    EXPECT_NE(apres.find("L\xE9onie"), std::string::npos);  // written in the game's Windows-1252
}

TEST_F(AtelierTest, AQuizNamingAMissingMediumIsSavedWithAWarningAtItsField) {
    Json quiz = PageJson("GET", "/api/quiz");
    ASSERT_GE(quiz.at("questions").size(), 1u) << quiz.dump();
    quiz["questions"][0]["media"] = {{"type", "son"}, {"nom", "absent.mp3"}};
    quiz["questions"][0]["reponses"][2]["image"] = "nulle.png";
    const RetourHttp r = Page("PUT", "/api/quiz", quiz.dump());
    ASSERT_EQ(r.statut, 200) << r.corps;
    std::vector<std::string> places;
    const Json reponse = Json::parse(r.corps);
    for (const Json& d : reponse.at("diagnostics"))
        if (d.at("message").get<std::string>().find("introuvable") != std::string::npos)
            places.push_back(d.at("gravite").get<std::string>() + " " + std::to_string(d["lieu"].value("question", -1)) + " " +
                             d["lieu"].value("champ", std::string()));
    EXPECT_EQ(places, (std::vector<std::string>{"avertissement 0 question", "avertissement 0 reponse3"})) << r.corps;
    EXPECT_EQ(PageJson("GET", "/api/quiz")["questions"][0]["media"]["nom"], "absent.mp3");
}

TEST_F(AtelierTest, APupilsNameComesBackAsTheSameTextInJson) {
    const std::string nom = "<img src=x onerror=alert(1)>";
    Json classe = PageJson("GET", "/api/classe");
    Json envoi = {{"version", classe.at("version")}, {"eleves", classe.at("eleves")}};
    envoi["eleves"][1]["nom"] = nom;
    envoi["eleves"][1]["prenom"] = "\"Zoé\" \\ </script>";
    ASSERT_EQ(Page("PUT", "/api/classe", envoi.dump()).statut, 200);
    const RetourHttp r = Page("GET", "/api/classe");
    EXPECT_EQ(r.entetes.at("content-type"), "application/json; charset=utf-8");
    const Json lu = Json::parse(r.corps);
    EXPECT_EQ(lu["eleves"][1]["nom"], nom);
    EXPECT_EQ(lu["eleves"][1]["prenom"], "\"Zoé\" \\ </script>");
}

TEST_F(AtelierTest, TwoPupilsOfOneResultsFileAreBothNamed) {
    Json classe = PageJson("GET", "/api/classe");
    Json envoi = {{"version", classe.at("version")}, {"eleves", classe.at("eleves")}};
    envoi["eleves"].push_back({{"nom", "dupont"}, {"prenom", "LÉA"}, {"classe", "C.P."}});
    const RetourHttp r = Page("PUT", "/api/classe", envoi.dump());
    ASSERT_EQ(r.statut, 422);
    std::vector<int> eleves;
    const Json refus = Json::parse(r.corps);
    for (const Json& d : refus.at("diagnostics"))
        if (d["gravite"] == "erreur") eleves.push_back(d["lieu"].value("eleve", -1));
    std::sort(eleves.begin(), eleves.end());
    EXPECT_EQ(eleves, (std::vector<int>{0, 3})) << r.corps;
}

TEST_F(AtelierTest, AMalformedSettingsFileShowsItsLine) {
    WriteFile("classe/InfosQuizz/infos/infos_jeu_DEMO0", "Quiz\nThème\nEn-tête\n0\ntrois\n5\n3\n40\n");
    const RetourHttp r = Page("GET", "/api/reglages");
    ASSERT_EQ(r.statut, 200) << r.corps;
    const Json groupe = Json::parse(r.corps).at("groupes").at(0);
    ASSERT_FALSE(groupe.at("diagnostics").empty());
    const Json& d = groupe["diagnostics"][0];
    EXPECT_EQ(d["ligne"], 5);
    EXPECT_EQ(d["lieu"]["champ"], "questions");
    EXPECT_TRUE(groupe["reglages"]["questions"].is_null());
    EXPECT_EQ(groupe["reglages"]["temps"], 40);

    // A save the game would refuse: 422 at its line, nothing written.
    Json envoi = {{"version", groupe["version"]}, {"reglages", groupe["reglages"]}};
    envoi["reglages"]["questions"] = 0;
    const RetourHttp refus = Page("PUT", "/api/reglages/DEMO0", envoi.dump());
    EXPECT_EQ(refus.statut, 422);
    EXPECT_EQ(Json::parse(refus.corps)["diagnostics"][0]["ligne"], 5);
    EXPECT_NE(Donnees("infos/infos_jeu_DEMO0").find("trois"), std::string::npos);
    EXPECT_EQ(Page("PUT", "/api/reglages/DEMO0", "{pas du json").statut, 400);
}

TEST_F(AtelierTest, PlayingAgainMovesThePupilsFilesAndKeepsThem) {
    const std::string resultats = "DUPONT\nL\xE9" "a\nC.P.\n02\n01\n0042\n";
    const std::string reponses = "Questionnaire : Mon premier quiz\nD\xE9" "but : 08/12/2026 09:41:05\n";
    // The UTF-8 names as the programs make them: a narrow path is not UTF-8 on Windows.
    const fs::path fichier = CheminFs("DUPONT_Léa.txt");
    WriteFile(fs::path("classe/InfosQuizz/joueurs/DEMO") / fichier, resultats);
    WriteFile(fs::path("classe/InfosQuizz/joueurs/DEMO/reponses") / fichier, reponses);
    const Json eleve = PageJson("GET", "/api/resultats").at("eleves").at(0);
    ASSERT_EQ(eleve["cle"], "DUPONT_Léa.txt");
    EXPECT_EQ(Page("POST", "/api/rejouer", Json{{"cle", "../../infos/infos_quizz_DEMO"}, {"version", eleve["version"]}}.dump()).statut, 404);
    EXPECT_EQ(Page("POST", "/api/rejouer", Json{{"cle", eleve["cle"]}, {"version", "ancienne"}}.dump()).statut, 409);
    const RetourHttp r = Page("POST", "/api/rejouer", Json{{"cle", eleve["cle"]}, {"version", eleve["version"]}}.dump());
    ASSERT_EQ(r.statut, 200) << r.corps;
    const fs::path archive = fs::path("classe/InfosQuizz") / Json::parse(r.corps).at("archive").get<std::string>();
    EXPECT_EQ(ReadFile(archive / fichier), resultats);
    EXPECT_EQ(ReadFile(archive / "reponses" / fichier), reponses);
    EXPECT_FALSE(fs::exists(fs::path("classe/InfosQuizz/joueurs/DEMO") / fichier));
    EXPECT_TRUE(PageJson("GET", "/api/resultats").at("eleves").empty());
    EXPECT_TRUE(PageJson("GET", "/api/resultats").at("diagnostics").empty());
}

}  // namespace
