// The quiz file on any bytes: decoded, checked and parsed as the game does.
// Never a crash; the codec is its own inverse; the records are as many as
// asked, and a quiz the check accepts has a right answer to every question.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "classe.h"
#include "lecture_quizz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const int questions = data[0] % (MAX_QUESTIONS + 2);  // 0 … 61: one beyond the table
    const std::string brouille(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string clair = brouille;
    BrouilleQuizz(clair);
    std::string encore = clair;
    BrouilleQuizz(encore);
    if (encore != brouille) std::abort();

    const FicheQuizz q = AnalyseQuizz(clair, questions);
    const std::size_t attendues = static_cast<std::size_t>(questions > MAX_QUESTIONS ? MAX_QUESTIONS : questions);
    if (q.questions.size() != attendues) std::abort();
    if (q.titre.size() > LIGNE_QUIZZ_MAX || q.theme.size() > LIGNE_QUIZZ_MAX) std::abort();
    std::string raison;
    const bool accepte = VerifieQuizz(clair, questions, "vorlines_DEMO", raison);
    for (const QuestionQuizz& question : q.questions) {
        if (question.bonne != '\0' && (question.bonne < '1' || question.bonne > '4')) std::abort();
        if (accepte && question.bonne == '\0') std::abort();
    }
    if (!accepte && raison.empty()) std::abort();
    return 0;
}
