// Checks the demo data tree and the screen art against what the game reads:
// line formats and read limits of the class settings, the class list and the
// quiz text, the media every question names, the display settings written
// as Tamarel writes them, and the archive pictures (every object present,
// readable by the picture loader at its size, light where black text goes,
// dark where white text goes).
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "test_support.h"

namespace fs = std::filesystem;
using test_support::ReadFile;

namespace {

const fs::path kDemo = fs::path(SOURCE_DIR) / "demo";
const fs::path kData = kDemo / "InfosQuizz";
const fs::path kQuestions = kData / "questions";

// Lines of a file, without their line feeds.
std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    while (start < bytes.size()) {
        const auto end = bytes.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// Unicode code points of a UTF-8 text; -1 for a malformed sequence.
std::vector<long> CodePoints(const std::string& text) {
    std::vector<long> points;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + extra >= text.size() + (extra == 0 ? 1 : 0)) {
            points.push_back(-1);
            return points;
        }
        long point = extra == 0 ? c : c & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto follow = static_cast<unsigned char>(text[i + k]);
            if ((follow & 0xC0) != 0x80) {
                points.push_back(-1);
                return points;
            }
            point = (point << 6) | (follow & 0x3F);
        }
        points.push_back(point);
        i += extra + 1;
    }
    return points;
}

// Whether Windows-1252 holds the character (the game's 8-bit text).
bool InWindows1252(long point) {
    static const std::set<long> specials = {0x20AC, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x017D, 0x2018,
                                            0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC,
                                            0x2122, 0x0161, 0x203A, 0x0153, 0x017E, 0x0178};
    if (point >= 0x20 && point < 0x7F) return true;
    if (point >= 0xA0 && point <= 0xFF) return true;
    return specials.count(point) != 0;
}

// Length in Windows-1252 bytes of a UTF-8 text (one byte per character).
std::size_t Length1252(const std::string& text) { return CodePoints(text).size(); }

struct Medium {
    std::string marker;  // "§", "µ", "~" (UTF-8), empty when none
    std::string name;
};

// The medium at the end of a question or answer line: the first marker in
// the last display segment, the rest of the line its file name.
Medium MediumOf(const std::string& line, bool question) {
    std::string last = line;
    int bars = 0;
    std::string::size_type from = 0;
    while (bars < 2) {
        const auto bar = last.find('|', from);
        if (bar == std::string::npos) break;
        from = bar + 1;
        ++bars;
    }
    last = line.substr(from);
    std::vector<std::string> markers = {"\xC2\xA7"};
    if (question) {
        markers.push_back("\xC2\xB5");
        markers.push_back("~");
    }
    std::string::size_type best = std::string::npos;
    std::string found;
    for (const auto& marker : markers) {
        const auto at = last.find(marker);
        if (at != std::string::npos && at < best) {
            best = at;
            found = marker;
        }
    }
    if (found.empty()) return {};
    return {found, last.substr(best + found.size())};
}

// Display segments of a line, medium removed.
std::vector<std::string> Segments(const std::string& line, bool question) {
    const Medium medium = MediumOf(line, question);
    std::string text = line;
    if (!medium.marker.empty()) text = line.substr(0, line.size() - medium.name.size() - medium.marker.size());
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    for (int k = 0; k < 2; ++k) {
        const auto bar = text.find('|', start);
        if (bar == std::string::npos) break;
        parts.push_back(text.substr(start, bar - start));
        start = bar + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

struct ClassSettings {
    std::vector<std::string> lines;
    int questions = 0;
    int seconds = 0;
};

ClassSettings ReadSettings(const std::string& name) {
    ClassSettings settings;
    settings.lines = Lines(ReadFile(kData / "infos" / name));
    if (settings.lines.size() == 8) {
        settings.questions = std::atoi(settings.lines[4].c_str());
        settings.seconds = std::atoi(settings.lines[7].c_str());
    }
    return settings;
}

std::vector<std::string> QuizLines() { return Lines(ReadFile(kQuestions / "vorlines_DEMO.txt")); }

int QuizBlocks() { return (static_cast<int>(QuizLines().size()) - 3) / 7; }

// --- Class settings -----------------------------------------------------------

TEST(DemoClassSettings, EightLinesWithinTheReadLimits) {
    for (const char* name : {"infos_jeu_DEMO0", "infos_jeu_DEMO"}) {
        SCOPED_TRACE(name);
        const std::string bytes = ReadFile(kData / "infos" / name);
        ASSERT_FALSE(bytes.empty());
        EXPECT_EQ(bytes.back(), '\n') << "every line, the last one too, ends with a line feed";
        EXPECT_EQ(bytes.find('\r'), std::string::npos);
        const auto lines = Lines(bytes);
        ASSERT_EQ(lines.size(), 8u);
        for (int k = 0; k < 3; ++k) EXPECT_LE(lines[k].size(), 48u) << "text line " << k + 1;
        for (int k = 3; k < 8; ++k) {
            EXPECT_GE(lines[k].size(), 1u);
            EXPECT_LE(lines[k].size(), 3u) << "number line " << k + 1;
            EXPECT_EQ(lines[k].find_first_not_of("0123456789"), std::string::npos) << lines[k];
        }
    }
}

TEST(DemoClassSettings, YoungClassesUseTheListOthersTypeTheirName) {
    EXPECT_EQ(ReadSettings("infos_jeu_DEMO0").lines.at(3), "0");
    EXPECT_EQ(ReadSettings("infos_jeu_DEMO").lines.at(3), "1");
}

TEST(DemoClassSettings, QuestionCountsAndTimesArePlayable) {
    const int blocks = QuizBlocks();
    for (const char* name : {"infos_jeu_DEMO0", "infos_jeu_DEMO"}) {
        SCOPED_TRACE(name);
        const ClassSettings settings = ReadSettings(name);
        EXPECT_GE(settings.questions, 1);
        EXPECT_LE(settings.questions, 60);
        EXPECT_LE(settings.questions, blocks) << "the quiz must hold every question the class plays";
        EXPECT_GE(settings.seconds, 1);
        EXPECT_LE(settings.seconds, 360);
    }
}

// --- Class list ---------------------------------------------------------------

TEST(DemoClassList, CountLineThenThreeShortLinesPerPupil) {
    const std::string bytes = ReadFile(kData / "infos" / "infos_quizz_DEMO");
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.back(), '\n');
    const auto lines = Lines(bytes);
    const int pupils = std::atoi(lines.at(0).c_str());
    ASSERT_GE(pupils, 1);
    ASSERT_LE(pupils, 60);
    ASSERT_EQ(lines.size(), 1u + 3u * pupils);
    std::set<std::string> names;
    for (int k = 0; k < pupils; ++k) {
        const std::string& surname = lines[1 + 3 * k];
        const std::string& first = lines[2 + 3 * k];
        const std::string& level = lines[3 + 3 * k];
        for (const std::string* line : {&surname, &first, &level}) {
            EXPECT_FALSE(line->empty());
            EXPECT_LE(line->size(), 28u) << *line;
        }
        EXPECT_TRUE(level == "G.S." || level == "C.P.") << level << ": the list serves the G.S. and C.P.";
        EXPECT_TRUE(names.insert(surname + "_" + first).second) << "two pupils share " << surname << " " << first;
    }
}

TEST(DemoClassList, WrittenInWindows1252) {
    const std::string bytes = ReadFile(kData / "infos" / "infos_quizz_DEMO");
    // A UTF-8 accent would be two bytes 0xC3 0x..; Windows-1252 é is 0xE9.
    EXPECT_NE(bytes.find('\xE9'), std::string::npos);
    EXPECT_EQ(bytes.find('\xC3'), std::string::npos);
}

// --- Display settings -----------------------------------------------------------

TEST(DemoDisplaySettings, AsTamarelSavesThem) {
    EXPECT_EQ(ReadFile(kDemo / "LCConfig.txt"),
              "RESOLUTION_HORIZONTALE=1024\nRESOLUTION_VERTICALE=768\nRESOLUTION_PREDEFINIE=4\n"
              "PLEIN_ECRAN=0\nMESSAGE_ERREUR=0\n\n--> Fichier g\xE9n\xE9r\xE9 par 'Tamarel.exe'");
}

// --- Quiz text ----------------------------------------------------------------

TEST(DemoQuiz, HeaderAndSevenLinesPerQuestion) {
    const std::string bytes = ReadFile(kQuestions / "vorlines_DEMO.txt");
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.back(), '\n');
    EXPECT_EQ(bytes.find('\r'), std::string::npos) << "bare line feeds only";
    const auto lines = QuizLines();
    ASSERT_GE(lines.size(), 3u + 7u * 12u) << "12 to 15 questions";
    ASSERT_LE(lines.size(), 3u + 7u * 15u);
    EXPECT_EQ((lines.size() - 3) % 7, 0u);
    EXPECT_LE(Length1252(lines[0]), 63u);
    EXPECT_LE(Length1252(lines[1]), 63u);
}

TEST(DemoQuiz, EveryCharacterFitsTheGamesTextAndEveryLineItsLimit) {
    const auto lines = QuizLines();
    for (std::size_t n = 0; n < lines.size(); ++n) {
        SCOPED_TRACE("line " + std::to_string(n + 1) + ": " + lines[n]);
        for (long point : CodePoints(lines[n])) EXPECT_TRUE(InWindows1252(point)) << point;
        EXPECT_LE(Length1252(lines[n]), 254u);
    }
}

TEST(DemoQuiz, EachQuestionHasARightAnswerAndShortFields) {
    const auto lines = QuizLines();
    for (int q = 0; q < QuizBlocks(); ++q) {
        const int first = 3 + 7 * q;
        SCOPED_TRACE("question " + std::to_string(q + 1) + ": " + lines[first]);
        const std::string& right = lines[first + 5];
        ASSERT_FALSE(right.empty());
        EXPECT_TRUE(right[0] >= '1' && right[0] <= '4') << right;
        EXPECT_FALSE(Segments(lines[first], true)[0].empty());
        for (int a = 1; a <= 4; ++a) {
            const std::string& answer = lines[first + a];
            const auto segments = Segments(answer, false);
            EXPECT_FALSE(segments[0].empty() && MediumOf(answer, false).name.empty()) << "answer " << a;
            for (const auto& segment : segments) EXPECT_LE(Length1252(segment), 59u) << segment;
            // A one-line answer beside a picture stays in the box at size 25.
            EXPECT_LE(Length1252(segments[0]), MediumOf(answer, false).name.empty() ? 22u : 20u) << answer;
            EXPECT_LE(Length1252(MediumOf(answer, false).name), 59u);
        }
        for (const auto& segment : Segments(lines[first], true)) {
            EXPECT_LE(Length1252(segment), 38u) << "a question line wider than its band: " << segment;
        }
    }
}

TEST(DemoQuiz, EveryNamedMediumIsThere) {
    const auto lines = QuizLines();
    for (int q = 0; q < QuizBlocks(); ++q) {
        const int first = 3 + 7 * q;
        for (int k = 0; k <= 4; ++k) {
            const Medium medium = MediumOf(lines[first + k], k == 0);
            if (medium.marker.empty()) continue;
            SCOPED_TRACE(lines[first + k]);
            ASSERT_FALSE(medium.name.empty());
            EXPECT_LE(medium.name.size(), 59u);
            std::string name = medium.name;
            const char* folder = medium.marker == "~" ? "videos" : medium.marker == "\xC2\xB5" ? "sons" : "images";
            if (name[0] == '_') name = name.substr(1, name.find('_', 1) - 1);
            EXPECT_TRUE(fs::is_regular_file(kQuestions / folder / name)) << folder << "/" << name;
        }
    }
}

TEST(DemoQuiz, ShowsEveryKindOfQuestion) {
    const auto lines = QuizLines();
    std::set<std::string> kinds;
    for (int q = 0; q < QuizBlocks(); ++q) {
        const int first = 3 + 7 * q;
        const auto segments = Segments(lines[first], true);
        kinds.insert(std::to_string(segments.size()) + "-line question");
        const Medium medium = MediumOf(lines[first], true);
        if (medium.marker == "~") kinds.insert("video");
        if (medium.marker == "\xC2\xB5") kinds.insert("sound");
        if (medium.name.size() > 4 && medium.name.substr(medium.name.size() - 4) == ".gif") kinds.insert("gif");
        else if (medium.marker == "\xC2\xA7" && medium.name[0] == '_') kinds.insert("thumbnail only");
        else if (medium.marker == "\xC2\xA7") kinds.insert("picture");
        for (int a = 1; a <= 4; ++a) {
            if (!MediumOf(lines[first + a], false).name.empty()) kinds.insert("answer picture");
            if (Segments(lines[first + a], false).size() > 1) kinds.insert("two-line answer");
        }
    }
    for (const char* kind : {"1-line question", "2-line question", "3-line question", "video", "sound", "gif",
                             "thumbnail only", "picture", "answer picture", "two-line answer"}) {
        EXPECT_EQ(kinds.count(kind), 1u) << kind;
    }
}

TEST(DemoQuiz, TheYoungestClassesMeetEveryMedium) {
    // The G.S. and C.P. play only the first questions of the file.
    const int played = ReadSettings("infos_jeu_DEMO0").questions;
    const auto lines = QuizLines();
    std::set<std::string> markers;
    for (int q = 0; q < std::min(played, QuizBlocks()); ++q) markers.insert(MediumOf(lines[3 + 7 * q], true).marker);
    EXPECT_EQ(markers.count("\xC2\xA7"), 1u);
    EXPECT_EQ(markers.count("\xC2\xB5"), 1u);
    EXPECT_EQ(markers.count("~"), 1u);
}

// --- Media ------------------------------------------------------------------

TEST(DemoMedia, SmallFilesOfTheRightKind) {
    const auto mp3 = [](const fs::path& path) {
        const std::string bytes = ReadFile(path);
        return bytes.size() > 3 && (bytes.compare(0, 3, "ID3") == 0 ||
                                    (static_cast<unsigned char>(bytes[0]) == 0xFF &&
                                     (static_cast<unsigned char>(bytes[1]) & 0xE0) == 0xE0));
    };
    for (const fs::path& sound : {kDemo / "correct.mp3", kDemo / "incorrect.mp3"}) {
        EXPECT_TRUE(mp3(sound)) << sound;
        EXPECT_LT(fs::file_size(sound), 30u * 1024u) << sound;
    }
    EXPECT_TRUE(mp3(kQuestions / "sons" / "notes.mp3"));
    const std::string video = ReadFile(kQuestions / "videos" / "drapeau.mp4");
    ASSERT_GT(video.size(), 12u);
    EXPECT_EQ(video.substr(4, 4), "ftyp");
    EXPECT_LT(video.size(), 300u * 1024u);
    std::uintmax_t total = 0;
    for (const auto& entry : fs::recursive_directory_iterator(kDemo)) {
        if (entry.is_regular_file()) total += entry.file_size();
    }
    EXPECT_LT(total, 3u * 1024u * 1024u);
}

TEST(DemoMedia, PicturesLoadAndTheGifIsAnimated) {
    for (const auto& entry : fs::directory_iterator(kQuestions / "images")) {
        SCOPED_TRACE(entry.path().string());
        SDL_Surface* picture = IMG_Load(entry.path().string().c_str());
        ASSERT_NE(picture, nullptr) << IMG_GetError();
        EXPECT_GT(picture->w, 0);
        SDL_FreeSurface(picture);
    }
    const std::string gif = ReadFile(kQuestions / "images" / "balle.gif");
    int frames = 0;
    for (std::string::size_type at = gif.find("\x21\xF9\x04"); at != std::string::npos; at = gif.find("\x21\xF9\x04", at + 1)) {
        ++frames;
    }
    EXPECT_GE(frames, 3) << "graphic control blocks, one per frame";
}

// --- Screen art ---------------------------------------------------------------

struct Art {
    SDL_Surface* surface = nullptr;
    explicit Art(const fs::path& path) {
        SDL_Surface* loaded = IMG_Load(path.string().c_str());
        if (loaded != nullptr) {
            surface = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
            SDL_FreeSurface(loaded);
        }
    }
    ~Art() { SDL_FreeSurface(surface); }
    Art(const Art&) = delete;
    Art& operator=(const Art&) = delete;
    uint32_t Pixel(int x, int y) const {
        return static_cast<const uint32_t*>(surface->pixels)[y * surface->pitch / 4 + x];
    }
    // Relative luminance 0 (black) .. 1 (white), as contrast ratios use it.
    double Luminance(int x, int y) const {
        const uint32_t p = Pixel(x, y);
        const auto channel = [](uint32_t v) {
            const double c = v / 255.0;
            return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel((p >> 16) & 0xFF) + 0.7152 * channel((p >> 8) & 0xFF) + 0.0722 * channel(p & 0xFF);
    }
};

double Contrast(double a, double b) { return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05); }

constexpr double kWhite = 1.0;
constexpr double kBlack = 0.0;
const double kYellow = 0.2126 + 0.7152 + 0.0722 * 0.0908;  // palette 14, 0xFFFF55
const double kDarkBlue = 0.0722 * 0.402;                    // palette 1, 0x0000AA

fs::path ArtFile(const std::string& program, int index) {
    char prefix[8];
    std::snprintf(prefix, sizeof prefix, "%02d_", index);
    for (const auto& entry : fs::directory_iterator(fs::path(SOURCE_DIR) / "assets" / program)) {
        if (entry.path().filename().string().rfind(prefix, 0) == 0) return entry.path();
    }
    return {};
}

TEST(ScreenArt, EveryObjectOnceAtItsSizeInPlainSvg) {
    struct Expected {
        std::string program;
        int index, width, height;
    };
    const std::vector<Expected> objects = {
        {"grelinor", 0, 1024, 768}, {"grelinor", 1, 655, 274}, {"grelinor", 2, 1024, 768},
        {"grelinor", 3, 150, 150},  {"grelinor", 4, 120, 120}, {"grelinor", 5, 120, 120},
        {"grelinor", 6, 100, 100},  {"grelinor", 7, 200, 400}, {"grelinor", 8, 50, 50},
        {"grelinor", 9, 40, 70},    {"grelinor", 10, 40, 70},  {"grelinor", 11, 40, 70},
        {"grelinor", 12, 40, 70},   {"grelinor", 13, 40, 70},  {"grelinor", 14, 40, 70},
        {"grelinor", 15, 100, 100}, {"grelinor", 16, 1024, 768}, {"tamarel", 0, 1024, 768}};
    for (const auto& object : objects) {
        const fs::path file = ArtFile(object.program, object.index);
        SCOPED_TRACE(object.program + " object " + std::to_string(object.index) + " " + file.string());
        ASSERT_FALSE(file.empty());
        const std::string text = ReadFile(file);
        for (const char* banned : {"<text", "<filter", "<mask", "<image", "class=", "<style", "<use", "<pattern"}) {
            EXPECT_EQ(text.find(banned), std::string::npos) << banned << " is beyond the game's SVG reader";
        }
        const Art art(file);
        ASSERT_NE(art.surface, nullptr) << IMG_GetError();
        EXPECT_EQ(art.surface->w, object.width);
        EXPECT_EQ(art.surface->h, object.height);
        int opaque = 0;
        for (int y = 0; y < art.surface->h; y += 3) {
            for (int x = 0; x < art.surface->w; x += 3) opaque += (art.Pixel(x, y) >> 24) > 200;
        }
        EXPECT_GT(opaque, 0) << "an empty picture";
    }
    EXPECT_TRUE(ArtFile("grelinor", 17).empty()) << "the game has objects 0 to 16";
}

TEST(ScreenArt, QuestionScreenIsLightWhereBlackTextGoesAndDarkUnderTheName) {
    const Art art(ArtFile("grelinor", 0));
    ASSERT_NE(art.surface, nullptr);
    // Answer boxes, the question band and the counters carry black text and
    // the light blue of a chosen answer.
    const int places[][2] = {{254, 472}, {765, 472}, {254, 612}, {765, 612}, {120, 460}, {400, 650},
                             {512, 296}, {512, 350}, {300, 250}, {170, 137}, {855, 137}};
    for (const auto& place : places) {
        SCOPED_TRACE(std::to_string(place[0]) + "," + std::to_string(place[1]));
        EXPECT_GT(Contrast(art.Luminance(place[0], place[1]), kBlack), 12.0);
        EXPECT_GT(art.Luminance(place[0], place[1]), 0.6);
    }
    for (int x = 250; x <= 774; x += 131) {
        EXPECT_GT(Contrast(art.Luminance(x, 22), kYellow), 4.5) << "the pupil's name at x " << x;
        EXPECT_GT(Contrast(art.Luminance(x, 757), kDarkBlue), 7.0) << "the school line at x " << x;
    }
    EXPECT_GT(Contrast(art.Luminance(998, 733), kDarkBlue), 7.0) << "the corner mark";
}

TEST(ScreenArt, AnswerBoxesLieOnTheirMouseAreas) {
    const Art art(ArtFile("grelinor", 0));
    ASSERT_NE(art.surface, nullptr);
    // Each box's edge is drawn inside its area, so the piece restored over a
    // box holds the whole box; just outside the area is the sky.
    const int boxes[][4] = {{84, 425, 424, 520}, {595, 425, 935, 520}, {84, 575, 424, 670}, {595, 575, 935, 670}};
    for (const auto& box : boxes) {
        const int middle_y = (box[1] + box[3]) / 2;
        const uint32_t outside = art.Pixel(box[0] - 3, middle_y);
        EXPECT_NE(art.Pixel(box[0] + 5, middle_y), outside) << "left edge of the box at " << box[0];
        EXPECT_NE(art.Pixel(box[2] - 5, middle_y), outside) << "right edge of the box at " << box[2];
        EXPECT_EQ(art.Pixel(box[2] + 3, middle_y), outside) << "nothing of the box right of " << box[2];
    }
}

TEST(ScreenArt, DarkBackgroundsForLightText) {
    const Art shared(ArtFile("grelinor", 2));
    ASSERT_NE(shared.surface, nullptr);
    for (int y : {30, 200, 400, 560, 740}) {
        EXPECT_GT(Contrast(shared.Luminance(512, y), kWhite), 7.0) << "white text at y " << y;
        EXPECT_GT(Contrast(shared.Luminance(512, y), kYellow), 6.0) << "yellow text at y " << y;
    }
    // The video screen's remarks are black, over the ribbon that the pupil
    // list's white names also cross.
    EXPECT_GT(Contrast(shared.Luminance(512, 655), kBlack), 4.0);
    EXPECT_GT(Contrast(shared.Luminance(512, 655), kWhite), 4.0);
    const Art tool(ArtFile("tamarel", 0));
    ASSERT_NE(tool.surface, nullptr);
    for (int y : {110, 250, 500, 740}) {
        EXPECT_GT(Contrast(tool.Luminance(300, y), kYellow), 10.0) << "Tamarel's text at y " << y;
    }
}

TEST(ScreenArt, ClassLevelScreenIsLightForBlackText) {
    const Art art(ArtFile("grelinor", 16));
    ASSERT_NE(art.surface, nullptr);
    const int places[][2] = {{540, 225}, {540, 260}, {180, 60}, {180, 120}, {512, 755}, {300, 415}, {800, 675}};
    for (const auto& place : places) {
        EXPECT_GT(Contrast(art.Luminance(place[0], place[1]), kBlack), 12.0) << place[0] << "," << place[1];
    }
}

}  // namespace
