// A quiz between its plain text and the pages' JSON (API.md): the records
// come from core's reader (AnalyseQuizz), the text is written line by line
// in the quiz's own layout and then checked by the same checks as `encode`.
#pragma once

#include <string>
#include <vector>

#include "http.h"

// The header and questions of a plain text (Windows-1252), texts in UTF-8.
Json QuizzJson(const std::string& clair);

// The plain text (UTF-8, LF) of a quiz of the pages: title, theme, note,
// then seven lines per question. A text that would break its line is
// reported into `diagnostics` at its line, under the name "quiz".
std::string TexteDuQuizz(const Json& quiz, std::vector<Diagnostic>& diagnostics);

// The name the quiz's diagnostics carry (their place follows from the line).
inline const char* const NOM_QUIZ = "quiz";
