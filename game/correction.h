// What follows the "FIN DU QUIZZ !" panel.
#pragma once

// Leaves the end-of-quiz notice up for five seconds, then ends the run.
[[noreturn]] void CorrectionQuizz();
