// Data files: existence, "KEY=value" files, and opening a file another
// program holds.
#include "lumicanvas.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include <fcntl.h>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using test_support::ReadFile;
using test_support::ScratchDir;
using test_support::WriteFile;

namespace {

// The value GetDataValue finds, or "<absent>".
std::string Value(const char* file, const char* key) {
    const char* v = reinterpret_cast<const char*>(1);  // must be overwritten either way
    const int found = GetDataValue(file, key, &v);
    if (!found) {
        EXPECT_EQ(v, nullptr) << key;
        return "<absent>";
    }
    EXPECT_NE(v, nullptr) << key;
    return v ? v : "<null>";
}

#ifdef _WIN32
constexpr int kShared = 0;
constexpr int kExclusive = LOCKFILE_EXCLUSIVE_LOCK;
constexpr int kOpenFlags = O_RDWR | O_CREAT | O_BINARY;

bool Lock(int fd, int operation) {
    OVERLAPPED whole{};
    return LockFileEx(reinterpret_cast<HANDLE>(::_get_osfhandle(fd)), operation, 0, MAXDWORD, MAXDWORD, &whole);
}
#else
constexpr int kShared = LOCK_SH;
constexpr int kExclusive = LOCK_EX;
constexpr int kOpenFlags = O_RDWR | O_CREAT;

bool Lock(int fd, int operation) { return ::flock(fd, operation) == 0; }
#endif

// Holds the lock on a file from another open of it, as another program
// would, until Release(). Windows' locks bar the others' writes too: what
// the holder writes goes through its own open.
class Holder {
public:
    Holder(const char* path, int operation) : fd_(::open(path, kOpenFlags, 0666)) {
        EXPECT_GE(fd_, 0);
        EXPECT_TRUE(Lock(fd_, operation));
    }
    ~Holder() { Release(); }
    void Write(const std::string& text) { EXPECT_EQ(::write(fd_, text.data(), text.size()), static_cast<int>(text.size())); }
    void Release() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

}  // namespace

TEST(ModeAccessFile, TellsWhetherTheFileExists) {
    ScratchDir dir;
    EXPECT_EQ(ModeAccessFile("LCConfig.txt", 0), 0);
    WriteFile("LCConfig.txt", "");
    EXPECT_EQ(ModeAccessFile("LCConfig.txt", 0), 1);
    EXPECT_EQ(ModeAccessFile("", 0), 0);
    EXPECT_EQ(ModeAccessFile(nullptr, 0), 0);
}

TEST(GetDataValue, TheToolsOwnLayout) {
    ScratchDir dir;
    WriteFile("c.txt", "RESOLUTION_HORIZONTALE=800\nRESOLUTION_VERTICALE=600\nRESOLUTION_PREDEFINIE=9\n"
                       "PLEIN_ECRAN=0\nMESSAGE_ERREUR=1\n\n--> Fichier cr\xE9\xE9 par 'Tamarel.exe'");
    EXPECT_EQ(Value("c.txt", "RESOLUTION_HORIZONTALE"), "800");
    EXPECT_EQ(Value("c.txt", "RESOLUTION_PREDEFINIE"), "9");
    EXPECT_EQ(Value("c.txt", "MESSAGE_ERREUR"), "1");
    EXPECT_EQ(Value("c.txt", "--> Fichier cr\xE9\xE9 par 'Tamarel.exe'"), "<absent>");
}

TEST(GetDataValue, SpacesCarriageReturnsAndNoFinalNewline) {
    ScratchDir dir;
    WriteFile("c.txt", "  PLEIN_ECRAN  =  1  \r\nMESSAGE_ERREUR\t=0\r\nRESOLUTION_VERTICALE=768");
    EXPECT_EQ(Value("c.txt", "PLEIN_ECRAN"), "1");
    EXPECT_EQ(Value("c.txt", "MESSAGE_ERREUR"), "0");
    EXPECT_EQ(Value("c.txt", "RESOLUTION_VERTICALE"), "768");
}

TEST(GetDataValue, KeysMatchWholeAndCaseCounts) {
    ScratchDir dir;
    WriteFile("c.txt", "RESOLUTION_PREDEFINIE_OLD=3\nRESOLUTION=2\nplein_ecran=1\nPLEIN_ECRAN=0\n"
                       "PLEIN_ECRAN=1\nNOTE=a=b\nEMPTY=\n=orphan\n");
    EXPECT_EQ(Value("c.txt", "RESOLUTION_PREDEFINIE"), "<absent>");  // only a longer key
    EXPECT_EQ(Value("c.txt", "RESOLUTION"), "2");                    // not the longer one
    EXPECT_EQ(Value("c.txt", "RESOLUTION_PREDEFINIE_OLD"), "3");
    EXPECT_EQ(Value("c.txt", "PLEIN_ECRAN"), "0");  // the first line of that key, case counting
    EXPECT_EQ(Value("c.txt", "NOTE"), "a=b");       // after the first "="
    EXPECT_EQ(Value("c.txt", "EMPTY"), "");
    EXPECT_EQ(Value("c.txt", ""), "<absent>");
}

TEST(GetDataValue, OverlongLinesAndOddFiles) {
    ScratchDir dir;
    std::string big(200000, 'x');
    WriteFile("c.txt", "JUNK=" + big + "PLEIN_ECRAN=5\nPLEIN_ECRAN=1\n" + big);
    EXPECT_EQ(Value("c.txt", "PLEIN_ECRAN"), "1");  // the long line's tail starts no line of its own
    const std::string junk = Value("c.txt", "JUNK");
    EXPECT_GE(junk.size(), 4096u);
    EXPECT_EQ(junk.substr(0, 3), "xxx");
    WriteFile("bom.txt", "\xEF\xBB\xBFRESOLUTION_PREDEFINIE=4\n");  // saved by a text editor
    EXPECT_EQ(Value("bom.txt", "RESOLUTION_PREDEFINIE"), "4");
    WriteFile("bin.txt", std::string("\0\0PLEIN_ECRAN=1\n\xFF\xFE", 19));
    EXPECT_EQ(Value("bin.txt", "PLEIN_ECRAN"), "<absent>");
    EXPECT_EQ(Value("missing.txt", "PLEIN_ECRAN"), "<absent>");
    EXPECT_EQ(Value(".", "PLEIN_ECRAN"), "<absent>");  // a folder
    EXPECT_EQ(GetDataValue(nullptr, "A", nullptr), 0);
}

TEST(GetDataValue, TheValueStaysUntilTheNextCall) {
    ScratchDir dir;
    WriteFile("c.txt", "A=first\nB=second\n");
    const char* a = nullptr;
    ASSERT_EQ(GetDataValue("c.txt", "A", &a), 1);
    std::remove("c.txt");
    EXPECT_STREQ(a, "first");
}

TEST(WaitAccessFile, WritesReplaceAndReadsSeeTheContent) {
    ScratchDir dir;
    WriteFile("r.txt", "a long old content\n");
    FILE* f = WaitAccessFile("r.txt", 1);
    ASSERT_NE(f, nullptr) << GetMediaError();
    std::fputs("new\r\n", f);
    std::fclose(f);
    EXPECT_EQ(ReadFile("r.txt"), "new\r\n");  // binary: bytes as written
    f = WaitAccessFile("r.txt", 0);
    ASSERT_NE(f, nullptr);
    char line[32] = {};
    ASSERT_NE(std::fgets(line, sizeof line, f), nullptr);
    EXPECT_STREQ(line, "new\r\n");
    std::fclose(f);
    f = WaitAccessFile("created.txt", 1);  // a new file
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    EXPECT_EQ(ModeAccessFile("created.txt", 0), 1);
}

TEST(WaitAccessFile, RefusesWhatCannotBeOpened) {
    ScratchDir dir;
    EXPECT_EQ(WaitAccessFile("missing.txt", 0), nullptr);
    EXPECT_NE(std::strstr(GetMediaError(), "missing.txt"), nullptr) << GetMediaError();
    EXPECT_EQ(WaitAccessFile("no_such_folder/x.txt", 1), nullptr);
    EXPECT_EQ(WaitAccessFile(".", 0), nullptr);  // a folder
    EXPECT_NE(std::strstr(GetMediaError(), "dossier"), nullptr) << GetMediaError();
    WriteFile("r.txt", "x");
    EXPECT_EQ(WaitAccessFile("r.txt", 7), nullptr);
    EXPECT_EQ(WaitAccessFile(nullptr, 0), nullptr);
    EXPECT_EQ(ReadFile("r.txt"), "x");
}

// A writer waits while a reader holds the file, and the file keeps its
// content while it waits.
TEST(WaitAccessFile, WriterWaitsForAReaderInAnotherThread) {
    ScratchDir dir;
    WriteFile("r.txt", "old");
    auto holder = std::make_unique<Holder>("r.txt", kShared);
    std::atomic<bool> released{false};
    std::string seen_while_waiting;
    std::thread other([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        seen_while_waiting = ReadFile("r.txt");
        released = true;
        holder->Release();
    });
    FILE* f = WaitAccessFile("r.txt", 1);
    const bool was_released = released;
    other.join();
    ASSERT_NE(f, nullptr) << GetMediaError();
    EXPECT_TRUE(was_released);
    EXPECT_EQ(seen_while_waiting, "old");
    std::fputs("new", f);
    std::fclose(f);
    EXPECT_EQ(ReadFile("r.txt"), "new");
}

// A reader waits while another process writes the file, and then reads what
// that process wrote.
TEST(WaitAccessFile, ReaderWaitsForAWriterInAnotherProcess) {
#ifdef _WIN32
    GTEST_SKIP() << "fork: the other process is a POSIX one (the threads' test covers Windows)";
#else
    ScratchDir dir;
    WriteFile("r.txt", "");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const int fd = ::open("r.txt", O_WRONLY);
        ::flock(fd, LOCK_EX);
        [[maybe_unused]] auto w = ::write(ready[1], "!", 1);
        ::usleep(300 * 1000);
        [[maybe_unused]] auto n = ::write(fd, "written by the other program", 28);
        ::_exit(0);  // closing releases the lock
    }
    char c;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);  // the child holds the lock now
    FILE* f = WaitAccessFile("r.txt", 0);
    ASSERT_NE(f, nullptr) << GetMediaError();
    char text[64] = {};
    ASSERT_NE(std::fgets(text, sizeof text, f), nullptr);
    EXPECT_STREQ(text, "written by the other program");
    std::fclose(f);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(ready[0]);
    ::close(ready[1]);
#endif
}

// A key=value file is read once its writer has finished, not half-written.
TEST(GetDataValue, WaitsForTheWriterToFinish) {
    ScratchDir dir;
    WriteFile("c.txt", "");
    auto holder = std::make_unique<Holder>("c.txt", kExclusive);
    std::thread writer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        holder->Write("PLEIN_ECRAN=1\n");
        holder->Release();
    });
    EXPECT_EQ(Value("c.txt", "PLEIN_ECRAN"), "1");
    writer.join();
}

TEST(WaitAccessFile, GivesUpOnAFileHeldTooLong) {
    ScratchDir dir;
    WriteFile("r.txt", "keep me");
    Holder holder("r.txt", kExclusive);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(WaitAccessFile("r.txt", 1), nullptr);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_NE(std::strstr(GetMediaError(), "occup"), nullptr) << GetMediaError();
    EXPECT_EQ(ReadFile("r.txt"), "keep me");  // not emptied by the failed open
}
