#include "test_support.h"

#include <atomic>
#include <fstream>
#include <sstream>
#include <unistd.h>
#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#endif

namespace test_support {

ScratchDir::ScratchDir() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("pivolette-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(path_);
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    std::filesystem::current_path(previous_, ec);
    std::filesystem::remove_all(path_, ec);
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

bool LinksPossible() {
    static const bool possible = [] {
        const ScratchDir dir;
        std::error_code ec;
        std::filesystem::create_symlink("target", "link", ec);
        return !ec;
    }();
    return possible;
}

#ifndef _WIN32
int AvecTailleLimitee(long octets, const std::function<int()>& ecrit) {
    struct sigaction ignore = {}, avant = {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &avant);
    rlimit libre = {};
    getrlimit(RLIMIT_FSIZE, &libre);
    rlimit limite = libre;
    limite.rlim_cur = static_cast<rlim_t>(octets);
    setrlimit(RLIMIT_FSIZE, &limite);
    const int resultat = ecrit();
    setrlimit(RLIMIT_FSIZE, &libre);
    sigaction(SIGXFSZ, &avant, nullptr);
    return resultat;
}
#endif

}  // namespace test_support
