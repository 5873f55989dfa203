// Grelinor's own figures, each beside its target: the start to the
// class-level screen, one drawing of the question screen, a click on an
// answer to its highlight shown, and the processor the question screen uses
// while the countdown dial runs and the pupil thinks.
//
// Headless, the real game (GrelinorMain) is played under the harness on a
// scratch copy of the demo data tree. With a window the game cannot be
// played whole in this process (its end ends the process), so its pieces
// are driven as the game driver drives them: the same calls, the same data.
#include "bench.h"

#include "compteur.h"
#include "echelle.h"
#include "etat.h"
#include "grelinor.h"
#include "harness.h"
#include "internal.h"
#include "lumicanvas.h"
#include "niveau.h"
#include "question.h"
#include "ecran.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>


namespace {

// The records the bench drives the game's screens with, as the game driver
// passes them.
Course Banc;
Reglages& Classe = Banc.Classe;
Eleve& Pupille = Banc.Pupille;
Partie& Jeu = Banc.Jeu;
Ecran& Vue = Banc.Vue;

namespace fs = std::filesystem;
using bench::Clock;

// The game's targets.
constexpr double kStartTargetMs = 100;
constexpr double kClickTargetMs = 20;
constexpr double kCpuTargetPercent = 2;

double MsBetween(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
}

double Median(std::vector<double> v) {
    if (v.empty()) return -1;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A figure with a target it must stay under; a missed target is said plainly.
void ReportTarget(const std::string& what, double value, const char* unit, double target) {
    char limit[48];
    std::snprintf(limit, sizeof limit, " [target < %g]", target);
    bench::Report(what + limit, value, unit);
    if (value >= target) bench::Note("TARGET MISSED: " + what);
}

// The demo data tree (quiz, settings, pupil list, sounds) in the scratch
// folder, fresh: no pupil has played yet.
bool CopieDemo() {
    std::error_code ec;
    fs::remove_all("InfosQuizz", ec);
    fs::copy(SOURCE_DIR "/demo", ".", fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
    if (ec) bench::Note("the demo data tree could not be copied: " + ec.message());
    return !ec;
}

void EcritConfig(int w, int h) {
    std::ofstream config("LCConfig.txt", std::ios::trunc);
    config << "RESOLUTION_HORIZONTALE=" << w << "\nRESOLUTION_VERTICALE=" << h
           << "\nRESOLUTION_PREDEFINIE=9\nPLEIN_ECRAN=0\nMESSAGE_ERREUR=0\n";
}

// The display as the game opens it, at w x h, in a window or headless
// whatever DISPLAY says.
bool Ouvre(int w, int h, bool headless) {
    CloseGraph();
    EcritConfig(w, h);
    lc::SetHeadless(headless);
    SpriteMode(1);
    DrawingMode(1);
    if (!InitGraph(4, 1, 0)) {
        bench::Note(std::string("no display: ") + GetMediaError());
        return false;
    }
    return true;
}

const char* Ou(bool headless) { return headless ? "headless" : "window"; }

// The window system's pointer moved to (x, y) of the window. The pointer's
// own motion events come after the pushed ones: left where it is, it would
// move the game's pointer away from a pushed click. Main thread only.
void PlacePointeur(int x, int y) {
    if (lc::Window() != nullptr) SDL_WarpMouseInWindow(lc::Window(), x, y);
}

// A left press and release at (x, y) of the window, as SDL delivers them.
void PousseClic(int x, int y) {
    for (Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
        SDL_Event e{};
        e.type = type;
        e.button.windowID = lc::Window() ? SDL_GetWindowID(lc::Window()) : 0;
        e.button.button = SDL_BUTTON_LEFT;
        e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        e.button.x = x;
        e.button.y = y;
        SDL_PushEvent(&e);
    }
}

// True while a pushed click still waits in SDL's queue: the program has not
// polled since it was pushed.
bool ClicEnAttente() {
    return SDL_HasEvents(SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP) == SDL_TRUE;
}

// --- The question screen's state, as the game driver sets it up ----------------------

// Everything the game has set up by the time a C.M.1 pupil reaches the
// question screen, with the demo quiz in its file order. The display is open.
bool PrepareEcranQuestion() {
    InitMouse();
    InitFont();
    SetFontMode(1);
    OuvreArchive(Vue);
    if (Vue.Donnees == nullptr) {
        bench::Note("no game archive at " GRELINOR_ARCHIVE ": build grelinor_archive first");
        return false;
    }
    CreeMorceaux(Vue);
    std::snprintf(Pupille.NOM_JOUEUR, sizeof Pupille.NOM_JOUEUR, "%s", "DUPONT");
    std::snprintf(Pupille.PRENOM_JOUEUR, sizeof Pupille.PRENOM_JOUEUR, "%s", "Marie");
    std::snprintf(Pupille.CLASSE_JOUEUR, sizeof Pupille.CLASSE_JOUEUR, "%s", "DEMO");
    std::snprintf(Classe.CheminDonnees, sizeof Classe.CheminDonnees, "%s", ".//InfosQuizz//");
    Classe.QuelNiveau = 4;
    if (LitInfosJeu(Classe) == 0) {
        bench::Note(std::string("demo settings unreadable: ") + MessageErreur);
        return false;
    }
    PrepareQuizz(Jeu, Classe.NombreQuestions);
    char chemin[TAILLE_CHEMIN];
    CheminQuizz(Classe.CheminDonnees, chemin, sizeof chemin);
    if (GetInfoFile(chemin, Classe, Jeu) != 0) {
        bench::Note(std::string("demo quiz unreadable: ") + MessageErreur);
        return false;
    }
    DefinitZonesQuestion();
    return true;
}

void LibereEcranQuestion() {
    LibereRessources(Vue);
    CloseFont();
    CloseMouse();
}

// The countdown dial of the question screen, as the game calls it.
int Compteur() { return DeCompteur(Jeu, RX(160), RY(296), RY(55), Classe.TempsReponseAutorise); }

// What a click on answer `zone` + 1 does up to the highlighted answer
// presented: the calls of SelectionReponse before it holds the highlight.
// Returns the milliseconds its GetMouseArea took: an area the same as at
// the previous call counts as nothing new, and the poll may then wait.
double Surligne(int zone) {
    Bitmap* fonds[4] = {Vue.Choix4, Vue.Choix5, Vue.Choix6, Vue.Choix7};
    const int bx[4] = {84, 595, 84, 595}, by[4] = {425, 425, 575, 575};
    const auto t0 = Clock::now();
    GetMouseArea();
    const double area_ms = MsBetween(t0, Clock::now());
    ClearKeyBuf();
    HideMouse();
    PutImage(fonds[zone], RX(bx[zone]), RY(by[zone]));
    AfficheQuestionReponses(Classe.CheminDonnees, Jeu, Pupille, Vue, static_cast<char>(zone + 1));  // ends with the present
    return area_ms;
}

// --- The real game under the harness ------------------------------------------------

harness::Options OptionsJeu() {
    harness::Options o;
    o.archive = GRELINOR_ARCHIVE;
    return o;
}

// The centre of the pixels of colour `rgb` in rows y1..y2 of the back buffer.
bool Centre(uint32_t rgb, int y1, int y2, int* cx, int* cy) {
    int w = 0, h = 0;
    const std::vector<uint32_t> image = harness::BackBuffer(&w, &h);
    return harness::CentreOfColour(image, w, h, rgb, 0, y1, w - 1, y2, cx, cy);
}

// Plays from the start to the first question: C.M.1, names typed, confirmed.
bool JusquAuxQuestions() {
    harness::Start([] { return GrelinorMain(); }, OptionsJeu());
    harness::ClickAt(260, 675);       // C.M.1
    harness::ClickAt(1023 - 25, 30);  // "JE VALIDE MON CHOIX !"
    harness::Type("BENCH");
    harness::Key(KEY_ENTER);
    harness::Type("Pupil");
    harness::Key(KEY_ENTER);
    int x = 0, y = 0;
    if (!Centre(PaletteRGB(46), 400, 767, &x, &y)) return false;  // the confirm button
    harness::ClickAt(x, y);
    return harness::Healthy() && !harness::Finished();
}

// The game's start with a window, stage by stage, to the class-level screen
// presented. The screen's first poll for a click comes right after its first
// present, so the moment a click pushed beforehand leaves SDL's queue is
// that present.
void DemarrageEnFenetre() {
    bench::UseGameArchive();
    std::vector<std::pair<const char*, double>> stages;
    const Clock::time_point start = Clock::now();
    auto stage = [&](const char* name) { stages.push_back({name, MsBetween(start, Clock::now())}); };
    if (!Ouvre(1024, 768, false)) return;
    stage("InitGraph (the window opened)");
    InitMouse();
    InitFont();
    SetFontMode(1);
    stage("InitMouse, InitFont");
    InitSound();
    stage("InitSound");
    OuvreArchive(Vue);
    stage("GetData(\"#\")");
    Classe.QuelNiveau = -1;
    std::atomic<double> shown{-1};
    PlacePointeur(260, 675);
    PousseClic(260, 675);  // C.M.1
    std::thread watcher([&] {
        const Clock::time_point give_up = Clock::now() + std::chrono::seconds(10);
        while (ClicEnAttente() && Clock::now() < give_up) std::this_thread::sleep_for(std::chrono::microseconds(100));
        shown = MsBetween(start, Clock::now());
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        PousseClic(1023 - 25, 30);  // the confirm button ends the screen
    });
    ChoixNiveau(Vue, Classe.QuelNiveau);
    watcher.join();
    stages.push_back({"the class-level screen drawn and presented", shown});
    ReportTarget("start to the class-level screen presented (window, from InitGraph)", shown, "ms",
                 kStartTargetMs);
    double before = 0;
    for (const auto& [name, at] : stages) {
        bench::Report(std::string("  of which ") + name, at - before, "ms");
        before = at;
    }
    bench::Note("earlier groups opened the window system already: a program's first InitGraph costs more");
    LibereRessources(Vue);
    CloseSound();
    CloseFont();
    CloseMouse();
}

}  // namespace

BENCH(70, "Grelinor: start to the class-level screen") {
    if (!CopieDemo()) return;
    EcritConfig(1024, 768);
    // Headless: the real program under the harness, to its first present.
    std::vector<double> runs;
    for (int i = 0; i < 5; ++i) {
        std::atomic<double> first{-1};
        Clock::time_point start = Clock::now();
        harness::OnPresent([&] {
            if (first < 0) first = MsBetween(start, Clock::now());
        });
        start = Clock::now();
        harness::Start([] { return GrelinorMain(); }, OptionsJeu());
        harness::OnPresent(nullptr);
        harness::Stop();
        if (first >= 0) runs.push_back(first);
    }
    if (runs.empty()) {
        bench::Note("headless: the class-level screen was never presented");
    } else {
        ReportTarget("start to the class-level screen presented (headless, median of 5)", Median(runs), "ms",
                     kStartTargetMs);
    }
    if (std::getenv("DISPLAY") == nullptr) return;

    DemarrageEnFenetre();
}

BENCH(71, "Grelinor: drawing the question screen (mode 0)") {
    bench::UseGameArchive();
    if (!CopieDemo()) return;
    std::vector<bool> ways{true};
    if (std::getenv("DISPLAY") != nullptr) ways.push_back(false);
    for (bool headless : ways) {
        for (auto [w, h] : {std::pair{1024, 768}, {1920, 1080}}) {
            if (!Ouvre(w, h, headless) || !PrepareEcranQuestion()) continue;
            // Every question of the demo quiz, each the median of 5 drawings.
            std::vector<double> each;
            for (int q = 0; q < Classe.NombreQuestions; ++q) {
                Jeu.NumQuestion = q;
                each.push_back(bench::MedianMs(5, [] { AfficheQuestionReponses(Classe.CheminDonnees, Jeu, Pupille, Vue, 0); }));
            }
            const auto slowest = std::max_element(each.begin(), each.end());
            const std::string at = std::to_string(w) + " x " + std::to_string(h) + ", " + Ou(headless);
            bench::Report("AfficheQuestionReponses(0) at " + at + ", median question", Median(each), "ms");
            bench::Report("  slowest: question " + std::to_string(slowest - each.begin() + 1) + " of the demo",
                          *slowest, "ms");
            LibereEcranQuestion();
        }
    }
    bench::Note("mode 0 presents twice: the frame, then the whole question");
}

BENCH(72, "Grelinor: a click on an answer to its highlight") {
    if (!CopieDemo()) return;
    EcritConfig(1024, 768);
    // Headless: the real game; the time from the scripted click to the first
    // present after it, which is SelectionReponse's highlight.
    std::vector<double> samples;
    if (JusquAuxQuestions()) {
        for (int i = 0; i < 5 && !harness::Finished(); ++i) {
            std::atomic<double> shown{-1};
            Clock::time_point click = Clock::now();
            harness::OnPresent([&] {
                if (shown < 0) shown = MsBetween(click, Clock::now());
            });
            click = Clock::now();
            harness::ClickAt(765, 472);  // answer 2
            harness::OnPresent(nullptr);
            if (shown >= 0) samples.push_back(shown);
            harness::Advance(10000, 100);  // the answer's sound and pause, to the next question
        }
    }
    harness::Stop();
    if (samples.empty()) {
        bench::Note("headless: the question screen was not reached or no highlight was presented");
    } else {
        ReportTarget("click to the highlighted answer presented (headless, median of " +
                         std::to_string(samples.size()) + ")",
                     Median(samples), "ms", kClickTargetMs);
    }
    if (std::getenv("DISPLAY") == nullptr) {
        bench::Note("headless: the window's figures and the waiting loop's processor need a window");
    }
}

BENCH(73, "Grelinor: the question screen waiting for a click (window)") {
    if (std::getenv("DISPLAY") == nullptr) {
        bench::Note("headless: polling hands over to the harness, not measured without a window");
        return;
    }
    bench::UseGameArchive();
    if (!CopieDemo() || !Ouvre(1024, 768, false)) return;
    InitSound();
    if (!PrepareEcranQuestion()) {
        LibereEcranQuestion();
        return;
    }
    Jeu.NumQuestion = 0;
    AfficheQuestionReponses(Classe.CheminDonnees, Jeu, Pupille, Vue, 0);
    Jeu.PremiereCompteur = 1;

    // The game's question loop with nobody clicking, the dial running.
    const auto wall0 = Clock::now();
    const double cpu0 = bench::CpuSeconds();
    long passes = 0;
    while (Clock::now() - wall0 < std::chrono::seconds(8)) {
        if (GetKeyPressed() == KEY_ESCAPE || Compteur() == -1) break;
        ClickMouse();
        ++passes;
    }
    const double wall = std::chrono::duration<double>(Clock::now() - wall0).count();
    ReportTarget("processor used waiting for a click, dial running (8 s)", 100.0 * (bench::CpuSeconds() - cpu0) / wall,
                 "% of a core", kCpuTargetPercent);
    bench::Report("passes of the question loop per second", static_cast<double>(passes) / wall, "/s");

    // Clicks on answer 2 pushed while the loop waits: when the loop sees
    // each, and when the highlighted answer has been presented.
    constexpr int kClicks = 12;
    std::array<std::atomic<long long>, kClicks> pushed{};
    PlacePointeur(RX(765), RY(472));
    std::thread clicker([&] {
        for (int i = 0; i < kClicks; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(120 + 23 * i));
            pushed[i] = Clock::now().time_since_epoch().count();
            PousseClic(RX(765), RY(472));
        }
    });
    std::vector<double> seen, highlighted, drawing, area;
    const auto give_up = Clock::now() + std::chrono::seconds(15);
    while (static_cast<int>(seen.size()) < kClicks && Clock::now() < give_up) {
        if (GetKeyPressed() == KEY_ESCAPE || Compteur() == -1) break;
        if (ClickMouse() != 1) continue;
        const auto at_click = Clock::now();
        area.push_back(Surligne(1));
        const auto at_shown = Clock::now();
        const Clock::time_point push{Clock::duration{pushed[seen.size()].load()}};
        seen.push_back(MsBetween(push, at_click));
        highlighted.push_back(MsBetween(push, at_shown));
        drawing.push_back(MsBetween(at_click, at_shown));
    }
    clicker.join();
    if (highlighted.empty()) {
        bench::Note("window: no pushed click was seen");
    } else {
        bench::Report("click seen by the question loop, median", Median(seen), "ms");
        bench::Report("highlight drawn and presented (SelectionReponse's calls), median", Median(drawing), "ms");
        ReportTarget("click to the highlighted answer presented (window, median of " +
                         std::to_string(highlighted.size()) + ")",
                     Median(highlighted), "ms", kClickTargetMs);
        const auto slowest = std::max_element(highlighted.begin(), highlighted.end());
        const auto n = static_cast<size_t>(slowest - highlighted.begin());
        bench::Report("  the same, slowest", *slowest, "ms");
        bench::Report("    of which the click waited to be seen", seen[n], "ms");
        bench::Report("    of which SelectionReponse's GetMouseArea()", area[n], "ms");
        const auto late = std::count_if(highlighted.begin(), highlighted.end(),
                                        [](double ms) { return ms >= kClickTargetMs; });
        bench::Report("  clicks over the target", static_cast<double>(late), "");
    }
    LibereEcranQuestion();
    CloseSound();
}
