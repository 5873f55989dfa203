// What the runs of the media extracts and of the end of the quiz share: a
// one-question (or n-question) data tree, the pupil typed in, files made by
// the test.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "harness.h"
#include "lumicanvas.h"
#include "test_partie_outils.h"
#include "test_support.h"

namespace extraits {

// The data tree for name entry (level C.M.1), `questions` questions of
// `secondes` seconds each. No feedback sounds: a missing sound ends at once,
// so each answer is written to the results file without waiting.
inline void Arbre(const std::vector<partie::QuestionTest>& questions, int secondes) {
    partie::EcritConfig();
    const std::string n = std::to_string(questions.size()), t = std::to_string(secondes);
    partie::EcritReglages("infos_jeu_DEMO0", n, t, true);
    partie::EcritReglages("infos_jeu_DEMO", n, t, true);
    partie::EcritQuizz(questions);
}

// Starts the game and types the pupil DUPONT Marie: the first question is
// then on screen, its countdown started.
inline void Entre(const std::string& texte) {
    harness::Type(texte);
    harness::Key(KEY_ENTER);
}
inline void JusquAuxQuestions() {
    partie::Lance();
    partie::ChoisitNiveau(4);
    Entre("dupont");
    Entre("marie");
    partie::Point p = partie::CentreCouleur(PaletteRGB(46), 0, 400, 1023, 767);
    harness::ClickAt(p.x, p.y);
}
inline std::string Resultats() { return partie::Resultats("DUPONT_Marie.txt"); }

// A held click: press, a moment, release, each reaching the program alone.
inline void ClicTenu(int x, int y) {
    harness::MoveTo(x, y);
    harness::Press(1);
    harness::Advance(150);
    harness::Release(1);
}

// A mono 16-bit WAV of `ms` milliseconds of silence.
inline std::string WavMuet(int ms) {
    const uint32_t echantillons = 8000u * static_cast<uint32_t>(ms) / 1000u, octets = echantillons * 2;
    std::string w = "RIFF";
    const auto le = [&w](uint32_t v, int n) {
        for (int i = 0; i < n; ++i) w += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    le(36 + octets, 4);
    w += "WAVEfmt ";
    le(16, 4);
    le(1, 2);      // PCM
    le(1, 2);      // mono
    le(8000, 4);   // samples per second
    le(16000, 4);  // bytes per second
    le(2, 2);
    le(16, 2);
    w += "data";
    le(octets, 4);
    w += std::string(octets, '\0');
    return w;
}

}  // namespace extraits
