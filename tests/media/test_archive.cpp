// The archives of screen art: objects by index at their own size, the
// archive fused to a program, the fonts read from it, and broken archives.
#include "internal.h"
#include "lumicanvas.h"
#include "picture_files.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <string>

using picture_files::HalvesSvg;
using picture_files::SolidPng;
using picture_files::StoredZip;
using test_support::ScratchDir;
using test_support::WriteFile;

namespace {

// An archive as the build packs it: objects 0 (PNG 3 x 2) and 2 (SVG 40 x 20),
// no object 1, and one font file.
std::string SmallArchive(const ScratchDir& dir) {
    const std::string png = SolidPng(dir.path() / "red.png", 3, 2, 0xFFFF0000u);
    return StoredZip({{"objects/00.png", png},
                      {"objects/02.svg", HalvesSvg(40, 20)},
                      {"fonts/Test.ttf", "not really a font"}});
}

// Forgets the archive a test named as "#".
struct FusedPath {
    explicit FusedPath(const std::string& path) { lc::SetFusedArchivePath(path); }
    ~FusedPath() { lc::SetFusedArchivePath(""); }
};

}  // namespace

TEST(Archive, ObjectsComeByIndexAtTheirOwnSize) {
    ScratchDir dir;
    WriteFile(dir.path() / "art.zip", SmallArchive(dir));
    Datafile* data = GetData((dir.path() / "art.zip").string().c_str());
    ASSERT_NE(data, nullptr) << GetMediaError();
    EXPECT_EQ(DataCount(data), 3);
    Bitmap* png = DataBitmap(data, 0);
    ASSERT_NE(png, nullptr);
    EXPECT_EQ(BitmapWidth(png), 3);
    EXPECT_EQ(BitmapHeight(png), 2);
    Bitmap* svg = DataBitmap(data, 2);
    ASSERT_NE(svg, nullptr);
    EXPECT_EQ(BitmapWidth(svg), 40);
    EXPECT_EQ(BitmapHeight(svg), 20);
    EXPECT_EQ(DataBitmap(data, 0), png) << "an object is decoded once and kept";
    EXPECT_EQ(DataBitmap(data, 1), nullptr) << "no object 1";
    EXPECT_EQ(DataBitmap(data, 3), nullptr);
    EXPECT_EQ(DataBitmap(data, -1), nullptr);
    UnloadDatafile(data);
    // A path relative to the working folder, as a program beside its data gives it.
    data = GetData("art.zip");
    ASSERT_NE(data, nullptr) << GetMediaError();
    EXPECT_EQ(BitmapWidth(DataBitmap(data, 0)), 3);
    UnloadDatafile(data);
}

TEST(Archive, NothingOpenMeansNothingFound) {
    EXPECT_EQ(DataBitmap(nullptr, 0), nullptr);
    EXPECT_EQ(DataCount(nullptr), 0);
    UnloadDatafile(nullptr);
    EXPECT_EQ(GetData(nullptr), nullptr);
    EXPECT_EQ(GetData("/no/such/archive.zip"), nullptr);
    EXPECT_NE(std::string(GetMediaError()).find("/no/such/archive.zip"), std::string::npos)
        << GetMediaError();
}

TEST(Archive, AFileThatIsNoZipIsRefused) {
    ScratchDir dir;
    WriteFile(dir.path() / "junk.zip", std::string(3000, 'x'));
    EXPECT_EQ(GetData((dir.path() / "junk.zip").string().c_str()), nullptr);
    EXPECT_NE(std::string(GetMediaError()).find("junk.zip"), std::string::npos);
}

TEST(Archive, AnUnreadableObjectIsAbsentAndTheOthersStay) {
    ScratchDir dir;
    const std::string png = SolidPng(dir.path() / "p.png", 4, 4, 0xFF00FF00u);
    WriteFile(dir.path() / "a.zip",
              StoredZip({{"objects/00.png", "garbage, not a picture"}, {"objects/01.png", png}}));
    Datafile* data = GetData((dir.path() / "a.zip").string().c_str());
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(DataBitmap(data, 0), nullptr);
    EXPECT_EQ(DataBitmap(data, 0), nullptr) << "asked again, still absent";
    ASSERT_NE(DataBitmap(data, 1), nullptr);
    EXPECT_EQ(BitmapWidth(DataBitmap(data, 1)), 4);
    UnloadDatafile(data);
}

TEST(Archive, AnArchiveObjectOutlivesDestroyBitmap) {
    ScratchDir dir;
    WriteFile(dir.path() / "art.zip", SmallArchive(dir));
    Datafile* data = GetData((dir.path() / "art.zip").string().c_str());
    ASSERT_NE(data, nullptr);
    DestroyBitmap(DataBitmap(data, 0));  // belongs to the archive: left alone
    EXPECT_EQ(BitmapWidth(DataBitmap(data, 0)), 3);
    UnloadDatafile(data);
}

TEST(FusedArchive, TheProgramFileWithAZipAppendedIsOpenedAsHash) {
    ScratchDir dir;
    std::string program(5000, '\0');
    for (size_t i = 0; i < program.size(); ++i) program[i] = static_cast<char>(i * 7 + 3);
    WriteFile(dir.path() / "program", program + SmallArchive(dir));
    FusedPath fused((dir.path() / "program").string());
    EXPECT_EQ(lc::FusedArchivePath(), (dir.path() / "program").string());

    Datafile* data = GetData("#");
    ASSERT_NE(data, nullptr) << GetMediaError();
    ASSERT_NE(DataBitmap(data, 2), nullptr);
    EXPECT_EQ(BitmapWidth(DataBitmap(data, 2)), 40);

    // The fonts are read from the same file while the archive is open.
    std::string font;
    ASSERT_TRUE(lc::ReadFromArchive("fonts/Test.ttf", font));
    EXPECT_EQ(font, "not really a font");
    EXPECT_FALSE(lc::ReadFromArchive("fonts/Absent.ttf", font));
    UnloadDatafile(data);
    ASSERT_TRUE(lc::ReadFromArchive("fonts/Test.ttf", font)) << "and after it closed";
}

TEST(FusedArchive, WithoutAnOverrideHashIsTheRunningExecutable) {
    lc::SetFusedArchivePath("");
    const std::string exe = lc::FusedArchivePath();
    ASSERT_FALSE(exe.empty());
#ifdef _WIN32
    EXPECT_EQ(exe.substr(exe.size() - std::string("\\media_tests.exe").size()), "\\media_tests.exe") << exe;
#else
    EXPECT_TRUE(std::filesystem::equivalent(exe, "/proc/self/exe"));
#endif
    // The test program carries no archive.
    EXPECT_EQ(GetData("#"), nullptr);
    std::string bytes;
    EXPECT_FALSE(lc::ReadFromArchive("fonts/DejaVuSans.ttf", bytes));
}

TEST(FusedArchive, ARewrittenArchiveIsReadAfreshByTheNextRun) {
    ScratchDir dir;
    const auto path = dir.path() / "program";
    WriteFile(path, "prefix" + StoredZip({{"fonts/A.ttf", "first"}}));
    FusedPath fused(path.string());
    std::string bytes;
    ASSERT_TRUE(lc::ReadFromArchive("fonts/A.ttf", bytes));
    EXPECT_EQ(bytes, "first");
    WriteFile(path, "other prefix" + StoredZip({{"fonts/A.ttf", "second run"}}));
    ASSERT_TRUE(lc::ReadFromArchive("fonts/A.ttf", bytes));
    EXPECT_EQ(bytes, "second run");
}

TEST(BuiltArchives, GrelinorCarriesItsSeventeenObjectsAndItsFonts) {
    Datafile* data = GetData(GRELINOR_ARCHIVE);
    ASSERT_NE(data, nullptr) << GetMediaError();
    EXPECT_EQ(DataCount(data), 17);
    for (int i = 0; i < 17; ++i) EXPECT_NE(DataBitmap(data, i), nullptr) << "object " << i;
    // The question screen's background is drawn for the 1024 x 768 screen.
    EXPECT_EQ(BitmapWidth(DataBitmap(data, 0)), 1024);
    EXPECT_EQ(BitmapHeight(DataBitmap(data, 0)), 768);
    UnloadDatafile(data);
    FusedPath fused(GRELINOR_ARCHIVE);
    std::string font;
    ASSERT_TRUE(lc::ReadFromArchive("fonts/DejaVuSans.ttf", font));
    EXPECT_EQ(font.compare(0, 4, std::string("\0\1\0\0", 4)), 0) << "a TrueType file";
}

TEST(BuiltArchives, EachOpensAsHashBehindAProgram) {
    // The build's own zips (compressed entries, sizes after the data) with a
    // program in front, as fuse writes them: the same objects and fonts.
    ScratchDir dir;
    for (const char* zip : {GRELINOR_ARCHIVE, TAMAREL_ARCHIVE, SHOWCASE_ARCHIVE}) {
        SCOPED_TRACE(zip);
        Datafile* alone = GetData(zip);
        ASSERT_NE(alone, nullptr) << GetMediaError();
        const auto program = dir.path() / "program";
        WriteFile(program, std::string(70000, '\x90') + test_support::ReadFile(zip));
        FusedPath fused(program.string());
        Datafile* fused_data = GetData("#");
        ASSERT_NE(fused_data, nullptr) << GetMediaError();
        EXPECT_EQ(DataCount(fused_data), DataCount(alone));
        for (int i = 0; i < DataCount(alone); ++i) {
            Bitmap* a = DataBitmap(alone, i);
            Bitmap* b = DataBitmap(fused_data, i);
            ASSERT_EQ(a == nullptr, b == nullptr) << "object " << i;
            if (a) {
                EXPECT_EQ(BitmapWidth(b), BitmapWidth(a)) << "object " << i;
            }
        }
        std::string font;
        EXPECT_TRUE(lc::ReadFromArchive("fonts/DejaVuSans-Bold.ttf", font));
        EXPECT_GT(font.size(), 100000u);
        UnloadDatafile(fused_data);
        UnloadDatafile(alone);
    }
}

TEST(BuiltArchives, ShowcaseObjectKeepsThePngSize) {
    Datafile* data = GetData(SHOWCASE_ARCHIVE);
    ASSERT_NE(data, nullptr) << GetMediaError();
    SDL_Surface* own = IMG_Load(SOURCE_DIR "/assets/showcase/00_damier.png");
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(BitmapWidth(DataBitmap(data, 0)), own->w);
    EXPECT_EQ(BitmapHeight(DataBitmap(data, 0)), own->h);
    SDL_FreeSurface(own);
    UnloadDatafile(data);
}

TEST(Archive, DamagedArchivesNeverCrash) {
    ScratchDir dir;
    const std::string good = "program bytes" + SmallArchive(dir);
    uint32_t seed = 777;
    const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    int opened = 0;
    for (int round = 0; round < 60; ++round) {
        std::string bad = good.substr(0, round < 30 ? 1 + next() % good.size() : good.size());
        for (int flips = round < 30 ? 0 : 1 + static_cast<int>(next() % 6); flips > 0; --flips)
            bad[next() % bad.size()] = static_cast<char>(next());
        const auto path = dir.path() / ("bad" + std::to_string(round));
        WriteFile(path, bad);
        Datafile* data = GetData(path.string().c_str());
        if (!data) continue;
        ++opened;
        for (int i = -1; i <= DataCount(data); ++i) {
            if (Bitmap* b = DataBitmap(data, i)) {
                EXPECT_GE(BitmapWidth(b), 1);
            }
        }
        UnloadDatafile(data);
        FusedPath fused(path.string());
        std::string font;
        if (lc::ReadFromArchive("fonts/Test.ttf", font)) {
            EXPECT_LE(font.size(), bad.size());
        }
    }
    // The whole archive, untouched, still opens after all of that.
    WriteFile(dir.path() / "good", good);
    Datafile* data = GetData((dir.path() / "good").string().c_str());
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(BitmapWidth(DataBitmap(data, 0)), 3);
    UnloadDatafile(data);
    EXPECT_GT(opened, 0) << "some spoilt copies keep a readable directory";
}
