// The importers' speed on long texts: what `pivolette import` does (the
// encoding rule, the reading of the export, the cutting of its texts with
// the game's fonts and the writing of the quiz text) on the inputs that once
// took quadratic time, each at its size and at twice its size; then the
// whole program as the teacher runs it, with its time and peak memory. A
// linear import takes twice the time and memory at twice the size.
// It asserts nothing; it prints one line a figure.
#ifndef _WIN32
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "importe.h"
#include "internal.h"
#include "module_ecran.h"


namespace {

using Lecteur = std::vector<QuestionImportee> (*)(const std::string&, const std::string&,
                                                  std::vector<Diagnostic>&);

// Milliseconds of one import of `octets`, from its bytes to the quiz text.
double UnImportMs(const std::string& octets, Lecteur lecteur) {
    const auto debut = std::chrono::steady_clock::now();
    std::string texte;
    DecisionCodage decision;
    TexteEnUtf8(octets, texte, decision);
    std::vector<Diagnostic> d;
    const std::vector<QuestionImportee> q = lecteur(texte, "bench", d);
    std::string erreur;
    if (!SurEcranMesure([&](const TientDansCase& tient) { TexteQuizz(q, "bench", "bench", d, tient); }, erreur))
        TexteQuizz(q, "bench", "bench", d);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - debut).count();
}

// The fastest of three imports: the machine is shared, the slower runs
// measure the others' work.
double ImporteMs(const std::string& octets, Lecteur lecteur) {
    double meilleur = UnImportMs(octets, lecteur);
    for (int k = 0; k < 2; ++k) meilleur = std::min(meilleur, UnImportMs(octets, lecteur));
    return meilleur;
}

std::string Repete(const std::string& motif, std::size_t octets) {
    std::string r;
    r.reserve(octets + motif.size());
    while (r.size() < octets) r += motif;
    return r;
}

struct Cas {
    const char* nom;
    Lecteur lecteur;
    std::function<std::string(std::size_t)> texte;  // the export, about this many bytes
    std::size_t octets;
};

void Mesure(const Cas& c) {
    const std::string un = c.texte(c.octets);
    const std::string deux = c.texte(2 * c.octets);
    const double t1 = ImporteMs(un, c.lecteur);
    const double t2 = ImporteMs(deux, c.lecteur);
    std::printf("  %-56s %5.2f MB %8.1f ms   x2 size: %8.1f ms (ratio %.1f)\n", c.nom,
                static_cast<double>(un.size()) / 1e6, t1, t2, t2 / (t1 > 0.001 ? t1 : 0.001));
}

// Milliseconds of the fastest of three runs of "pivolette ARGUMENTS" (the
// whole program: start, the game's screen for the measures, the writes).
double CommandeMs(const std::string& arguments) {
    double meilleur = 1e9;
    for (int k = 0; k < 3; ++k) {
        const auto debut = std::chrono::steady_clock::now();
        const int code = std::system((std::string(PIVOLETTE) + " " + arguments + " >/dev/null 2>&1").c_str());
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - debut).count();
        if (code == -1) return -1;
        meilleur = std::min(meilleur, ms);
    }
    return meilleur;
}

void Ecrit(const std::filesystem::path& chemin, const std::string& octets) {
    std::ofstream(chemin, std::ios::binary) << octets;
}

// One run of the program: wall-clock milliseconds and peak memory in
// kilobytes (-1 where the system does not say).
struct Passage {
    double ms = -1;
    long ko = -1;
};

Passage LancePivolette(const std::vector<std::string>& arguments) {
    Passage p;
    const auto debut = std::chrono::steady_clock::now();
#ifdef _WIN32
    std::string commande = PIVOLETTE;
    for (const std::string& a : arguments) commande += " \"" + a + "\"";
    if (std::system((commande + " >NUL 2>NUL").c_str()) == -1) return p;
#else
    std::vector<std::string> mots{PIVOLETTE};
    mots.insert(mots.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& m : mots) argv.push_back(m.data());
    argv.push_back(nullptr);
    // fork, not posix_spawn: a child that shares this program's memory until
    // its exec would report this program's peak as its own.
    const pid_t pid = fork();
    if (pid < 0) return p;
    if (pid == 0) {
        const int nul = open("/dev/null", O_WRONLY);
        dup2(nul, 1);
        dup2(nul, 2);
        execv(PIVOLETTE, argv.data());
        _exit(127);
    }
    int etat = 0;
    rusage usage{};
    if (wait4(pid, &etat, 0, &usage) != pid) return p;
    p.ko = usage.ru_maxrss;
#endif
    p.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - debut).count();
    return p;
}

// The fastest of three runs, and its memory.
Passage MeilleurPassage(const std::vector<std::string>& arguments) {
    Passage meilleur = LancePivolette(arguments);
    for (int k = 0; k < 2; ++k) {
        const Passage p = LancePivolette(arguments);
        if (p.ms >= 0 && (meilleur.ms < 0 || p.ms < meilleur.ms)) meilleur = p;
    }
    return meilleur;
}

// `pivolette import gift` of one question "Q mot mot … {=a ~b ~c}", the
// program started as the teacher starts it (its measuring plug-in, the
// game's fonts), at `mots` words and twice as many.
void MesureQuestionLongue(const std::filesystem::path& dossier, const char* nom, std::size_t mots) {
    Passage p[2];
    for (int k = 0; k < 2; ++k) {
        const std::filesystem::path gift = dossier / "longue.gift";
        Ecrit(gift, "Q " + Repete("mot ", 4 * mots << k) + "{=a ~b ~c}\n");
        p[k] = MeilleurPassage({"import", "gift", gift.string(), "-o", (dossier / "longue.txt").string(), "--force"});
    }
    std::printf("  %-56s %8.1f ms %7ld kB   x2 size: %8.1f ms %7ld kB (ratio %.1f)\n", nom, p[0].ms, p[0].ko, p[1].ms,
                p[1].ko, p[1].ms / (p[0].ms > 0.001 ? p[0].ms : 0.001));
}

// `import gift` of 5,000 questions and `check` of a tree of 60 questions,
// as the teacher runs them (each should take under a second).
void MesureCommandes() {
    namespace fs = std::filesystem;
    const fs::path dossier = fs::temp_directory_path() / "pivolette-bench-commandes";
    fs::remove_all(dossier);
    fs::create_directories(dossier);
    const std::string d = dossier.string();
    Ecrit(dossier / "banque.gift",
          Repete("::Q:: Quelle est la capitale de la France, et depuis quand l'est-elle ?{=Paris ~Lyon ~Lille ~Marseille}\n\n", 5000 * 100));
    std::printf("  %-56s %8.1f ms\n", "pivolette import gift: 5,000 questions",
                CommandeMs("import gift " + d + "/banque.gift -o " + d + "/banque.txt --force"));
    std::string quiz = "Soixante\nTh\nx\n";
    for (int q = 0; q < 60; ++q) quiz += "Combien font " + std::to_string(q) + " et " + std::to_string(q) + " ?\nun\ndeux\ntrois\nquatre\n2\n--\n";
    std::system((std::string(PIVOLETTE) + " init " + d + "/classe >/dev/null 2>&1").c_str());
    Ecrit(dossier / "classe" / "quiz.txt", quiz);
    for (const char* f : {"infos_jeu_DEMO", "infos_jeu_DEMO0"})
        Ecrit(dossier / "classe" / "InfosQuizz" / "infos" / f, "Quiz\nTh\nCM1\n1\n60\n5\n3\n30\n");
    std::system((std::string(PIVOLETTE) + " encode " + d + "/classe/quiz.txt -o " + d +
                 "/classe/InfosQuizz/questions/vorlines_DEMO >/dev/null 2>&1").c_str());
    std::printf("  %-56s %8.1f ms\n", "pivolette check: a tree of 60 questions", CommandeMs("check " + d + "/classe"));
    MesureQuestionLongue(dossier, "pivolette import gift: a question of 10,000 words", 10000);
    MesureQuestionLongue(dossier, "pivolette import gift: a question of 1.2 MB of words", 300000);
    fs::remove_all(dossier);
}

}  // namespace

int main(int, char**) {
    const std::size_t MO = 1000 * 1000;
    const std::vector<Cas> cas = {
        {"GIFT: one question of 1.2 MB of words", &LitGift,
         [](std::size_t n) { return "::long::" + Repete("mot ", n) + "{=oui ~non}\n"; }, 1200 * 1000},
        {"GIFT: one answer of 1.2 MB of words", &LitGift,
         [](std::size_t n) { return "Question ?{=" + Repete("mot ", n) + " ~non}\n"; }, 1200 * 1000},
        {"GIFT: one question of 1.2 MB of escapes and blank lines", &LitGift,
         [](std::size_t n) { return "Question ?{=oui ~" + Repete("\\{ \\} \\= \\~\n\n", n) + "}\n"; }, 1200 * 1000},
        {"GIFT: [html] then 4 MB of <", &LitGift,
         [](std::size_t n) { return "[html]" + std::string(n, '<') + "{=oui ~non}\n"; }, 4 * MO},
        {"GIFT: [html] then 4 MB of <b> tags", &LitGift,
         [](std::size_t n) { return "[html]" + Repete("<b>x</b>&amp; ", n) + "{=oui ~non}\n"; }, 4 * MO},
        {"GIFT: an unclosed { before 200,000 lines", &LitGift,
         [](std::size_t n) { return "Ouverte {=oui ~non\n\n" + Repete("Q ?{=a ~b}\n\n", n); }, 200000 * 6},
        {"GIFT: 5,000 questions", &LitGift,
         [](std::size_t n) { return Repete("::Q:: Quelle est la capitale de la France ?{=Paris ~Lyon ~Lille}\n\n", n); }, 5000 * 67},
        {"Aiken: one question of 1.2 MB of words", &LitAiken,
         [](std::size_t n) { return Repete("mot ", n) + "\nA. oui\nB. non\nANSWER: A\n"; }, 1200 * 1000},
        {"Aiken: one question on 200,000 lines", &LitAiken,
         [](std::size_t n) { return "Question\n" + Repete("suite\n", n) + "A. oui\nB. non\nANSWER: A\n"; }, 200000 * 6},
        {"Windows-1252 export of 4 MB (encoding rule, conversion)", &LitGift,
         [](std::size_t n) { return Repete("\xC9t\xE9 ?{=oui ~non}\n\n", n); }, 4 * MO},
    };
    // The game's fonts, from the archive the program carries.
    lc::SetFusedArchivePath(PIVOLETTE);
    // The whole program first: its children start from this program's
    // memory as it is then.
    std::printf("pivolette commands, whole program\n");
    MesureCommandes();
    std::printf("pivolette import on long texts\n");
    for (const Cas& c : cas) Mesure(c);
    return 0;
}
