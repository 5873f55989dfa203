// The end of a finished quiz: the notice stays up, then the run ends cleanly.
#include "correction.h"

#include "lumicanvas.h"
#include "quizz.h"

void CorrectionQuizz() {
    Delay(5000);
    LibereRessources();
    Close();
    ExitProgram(0);
}
