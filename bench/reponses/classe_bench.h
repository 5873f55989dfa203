// One class's game folder for the benches of the results: the settings, a
// scrambled quiz of `questions` questions, and `eleves` pupils who each met
// every question once in a shuffled order, with their results and answers
// files, all written with core/'s own writers. Shared by the bench of
// `pivolette results` and the workshop's.
#pragma once

#include <filesystem>
#include <random>

void FaitClasseBench(const std::filesystem::path& jeu, int eleves, int questions, std::mt19937& hasard);
