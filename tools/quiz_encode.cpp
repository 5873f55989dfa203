// quiz_encode: the older name of `pivolette encode` and `pivolette decode`,
// kept for the scripts that call it. Same code, same checks.
//
//   quiz_encode PLAIN.txt QUIZ          encode (the plain text in UTF-8)
//   quiz_encode --decode QUIZ PLAIN.txt decode to UTF-8 ("-": standard output)
#include <cstring>
#include <iostream>

#include "commandes.h"

int main(int argc, char* argv[]) {
    if (argc == 4 && std::strcmp(argv[1], "--decode") == 0) return DecodeQuizz(argv[2], argv[3], Codage::Utf8, false);
    if (argc == 3 && argv[1][0] != '-') return EncodeQuizz(argv[1], argv[2], Codage::Utf8, false);
    std::cerr << "usage: quiz_encode TEXTE.txt QUIZZ\n"
                 "       quiz_encode --decode QUIZZ TEXTE.txt   (\"-\" : sortie standard)\n"
                 "       (pivolette encode et pivolette decode font de même)\n";
    return 2;
}
