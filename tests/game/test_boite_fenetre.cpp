// The message a pupil must read, on a display where the system shows no box:
// the real program in a real window (an X server with none of the X core
// fonts SDL's own box asks for, as every fresh Xvfb), driven by xdotool, its
// screen read back with ImageMagick's import. The box the layer then draws
// itself must appear over the last screen, be readable, and close on Enter,
// after which the run ends as it does after the system's box.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "lisibilite.h"
#include "lumicanvas.h"
#include "test_partie_outils.h"
#include "test_support.h"

#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

extern char** environ;

namespace {

constexpr const char* kFichier = "InfosQuizz/joueurs/DEMO/DUPONT_Marie.txt";
constexpr uint32_t kFondBoite = 0xE0E0E0;  // the drawn box's light grey
constexpr int kAttenteMs = 30000;          // how long a screen may take to come (a slow machine)

bool Outil(const std::string& nom) { return std::system(("command -v " + nom + " >/dev/null 2>&1").c_str()) == 0; }

pid_t Lance(const std::vector<std::string>& args, const char* sortie) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (sortie) {
        posix_spawn_file_actions_addopen(&actions, 1, sortie, O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
    }
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// An Xvfb of its own on a free display, with the server's built-in font
// alone (no X core fonts): SDL's message box cannot be shown there.
class ServeurX {
public:
    ServeurX() {
        int tube[2];
        if (pipe(tube) != 0) return;
        pid_ = Lance({"Xvfb", "-displayfd", std::to_string(tube[1]), "-screen", "0", "1024x768x24", "-nolisten",
                      "tcp", "-fp", "built-ins"},
                     "/dev/null");
        close(tube[1]);
        std::string numero;
        pollfd p{tube[0], POLLIN, 0};
        char c = 0;
        while (pid_ > 0 && poll(&p, 1, kAttenteMs) == 1 && read(tube[0], &c, 1) == 1 && c != '\n') numero += c;
        close(tube[0]);
        if (!numero.empty()) affichage_ = ":" + numero;
    }
    ~ServeurX() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    const std::string& affichage() const { return affichage_; }

private:
    pid_t pid_ = -1;
    std::string affichage_;
};

struct Image {
    std::vector<uint32_t> pixels;  // 0xRRGGBB rows
    int w = 0, h = 0;
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * w + x]; }
};

// The whole display, as import reads it (a binary PPM).
Image Capture(const std::string& affichage) {
    Image e;
    if (std::system(("DISPLAY=" + affichage + " import -window root -depth 8 ppm:ecran.ppm 2>/dev/null").c_str()) != 0) return e;
    std::ifstream in("ecran.ppm", std::ios::binary);
    std::string magie;
    int max = 0;
    in >> magie >> e.w >> e.h >> max;
    in.get();
    if (magie != "P6" || max != 255 || e.w <= 0 || e.h <= 0) return {};
    std::vector<unsigned char> octets(static_cast<size_t>(e.w) * e.h * 3);
    in.read(reinterpret_cast<char*>(octets.data()), static_cast<std::streamsize>(octets.size()));
    if (!in) return {};
    for (size_t i = 0; i < octets.size(); i += 3) {
        e.pixels.push_back(uint32_t{octets[i]} << 16 | uint32_t{octets[i + 1]} << 8 | octets[i + 2]);
    }
    return e;
}

int Compte(const Image& e, uint32_t rgb, int x1, int y1, int x2, int y2) {
    int n = 0;
    for (int y = y1; y <= y2 && y < e.h; ++y)
        for (int x = x1; x <= x2 && x < e.w; ++x) n += e.at(x, y) == rgb ? 1 : 0;
    return n;
}

// Reads the display until `voit` holds; the last capture either way.
Image Attend(const std::string& affichage, const std::function<bool(const Image&)>& voit) {
    const auto fin = std::chrono::steady_clock::now() + std::chrono::milliseconds(kAttenteMs);
    Image e;
    do {
        e = Capture(affichage);
        if (!e.pixels.empty() && voit(e)) return e;
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
    } while (std::chrono::steady_clock::now() < fin);
    return e;
}

void Clique(const std::string& affichage, int x, int y) {
    std::system(("DISPLAY=" + affichage + " xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) +
                 " click 1")
                    .c_str());
}

// The program's end: its exit status, -1 when it is still running.
int Fin(pid_t pid) {
    const auto fin = std::chrono::steady_clock::now() + std::chrono::milliseconds(kAttenteMs);
    int statut = 0;
    while (std::chrono::steady_clock::now() < fin) {
        if (waitpid(pid, &statut, WNOHANG) == pid) return WIFEXITED(statut) ? WEXITSTATUS(statut) : 128;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -1;
}

// The smallest rectangle holding every pixel of the box's light grey.
struct Cadre {
    int x1 = 1 << 30, y1 = 1 << 30, x2 = -1, y2 = -1;
};
Cadre CadreDe(const Image& e, uint32_t rgb) {
    Cadre c;
    for (int y = 0; y < e.h; ++y)
        for (int x = 0; x < e.w; ++x)
            if (e.at(x, y) == rgb) {
                c.x1 = std::min(c.x1, x);
                c.y1 = std::min(c.y1, y);
                c.x2 = std::max(c.x2, x);
                c.y2 = std::max(c.y2, y);
            }
    return c;
}

}  // namespace

TEST(BoiteFenetre, APupilRefusedReadsTheDrawnBoxOverTheListAndEnterEndsTheRun) {
    for (const char* outil : {"Xvfb", "xdotool", "import"}) {
        if (!Outil(outil)) GTEST_SKIP() << outil << " is missing (tools/install-deps.sh installs it)";
    }
    test_support::ScratchDir dossier;
    partie::ArbreStandard();
    const std::string ancien = "DUPONT\nMarie\nDEMO\n02\n01\n0042\n";
    test_support::WriteFile(kFichier, ancien);
    ServeurX x;
    ASSERT_FALSE(x.affichage().empty()) << "Xvfb did not start";
    const std::string& d = x.affichage();
    const pid_t jeu = Lance({"env", "-u", "SDL_VIDEODRIVER", "SDL_AUDIODRIVER=dummy", "DISPLAY=" + d,
                             std::string(BUILD_DIR) + "/grelinor"},
                            "sortie.txt");
    ASSERT_GT(jeu, 0);
    // The level screen, then the class list (its VALIDER ! button).
    Attend(d, [](const Image& e) { return Compte(e, 0x000000, 0, 0, e.w - 1, e.h - 1) < e.w * e.h / 2; });
    Clique(d, 260, 415);
    Clique(d, 998, 30);
    const uint32_t valider = PaletteRGB(9);
    const Image liste = Attend(d, [&](const Image& e) { return Compte(e, valider, 700, 40, 1023, 110) > 200; });
    ASSERT_GT(Compte(liste, valider, 700, 40, 1023, 110), 200) << "no class list";
    Clique(d, 350, 256);  // DUPONT Marie, who has played already
    const Cadre bouton = CadreDe(liste, valider);
    Clique(d, (bouton.x1 + bouton.x2) / 2, (bouton.y1 + bouton.y2) / 2);

    const Image boite = Attend(d, [](const Image& e) { return Compte(e, kFondBoite, 0, 0, e.w - 1, e.h - 1) > 5000; });
    const Cadre c = CadreDe(boite, kFondBoite);
    ASSERT_GT(Compte(boite, kFondBoite, 0, 0, boite.w - 1, boite.h - 1), 5000)
        << "no box drawn; the program said: " << test_support::ReadFile("sortie.txt");
    // Within the window, wrapped to it, and over the list, which shows around it.
    EXPECT_GT(c.x1, 0);
    EXPECT_LT(c.x2, boite.w - 1);
    EXPECT_LT(c.x2 - c.x1, boite.w * 3 / 4);
    EXPECT_GT(Compte(boite, valider, 700, 40, 1023, 110), 200) << "the list is no longer shown around the box";
    // Its two lines of text: dark ink on the light grey, in contrast enough
    // for a text of their height.
    int encre = 0;
    uint32_t plus_sombre = 0xFFFFFF;
    for (int y = c.y1; y <= c.y2; ++y) {
        int dans_la_ligne = 0;
        for (int x = c.x1; x <= c.x2; ++x) {
            const uint32_t p = boite.at(x, y);
            if (lisibilite::Contraste(p, kFondBoite) < 3) continue;
            ++dans_la_ligne;
            if (lisibilite::Contraste(p, kFondBoite) > lisibilite::Contraste(plus_sombre, kFondBoite)) plus_sombre = p;
        }
        encre += dans_la_ligne;
    }
    EXPECT_GT(encre, 1500) << "too little text in the box";
    EXPECT_GE(lisibilite::Contraste(plus_sombre, kFondBoite), 12.0);

    std::system(("DISPLAY=" + d + " xdotool key Return").c_str());
    EXPECT_EQ(Fin(jeu), 0) << "the box did not close on Enter, or the run did not end as after the system's box";
    EXPECT_EQ(test_support::ReadFile(kFichier), ancien);
}

#else

TEST(BoiteFenetre, APupilRefusedReadsTheDrawnBoxOverTheListAndEnterEndsTheRun) {
    GTEST_SKIP() << "needs an X server: on Windows the system's box is always there";
}

#endif
