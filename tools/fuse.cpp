// fuse OUT PROGRAM ARCHIVE: writes OUT as PROGRAM followed by ARCHIVE, so that
// the program finds its artwork inside its own file. OUT is written beside its
// final name and renamed, and keeps the program's permissions.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: fuse OUT PROGRAM ARCHIVE\n";
        return 2;
    }
    namespace fs = std::filesystem;
    const fs::path out = argv[1];
    const fs::path tmp = out.string() + ".part";
    {
        std::ofstream dst(tmp, std::ios::binary | std::ios::trunc);
        for (const char* part : {argv[2], argv[3]}) {
            std::ifstream src(part, std::ios::binary);
            if (!src) {
                std::cerr << "fuse: cannot read " << part << "\n";
                return 1;
            }
            dst << src.rdbuf();
        }
        if (!dst.flush()) {
            std::cerr << "fuse: cannot write " << tmp << "\n";
            return 1;
        }
    }
    std::error_code ec;
    fs::permissions(tmp, fs::status(argv[2]).permissions(), ec);
    fs::rename(tmp, out, ec);
    if (ec) {
        std::cerr << "fuse: cannot rename " << tmp << ": " << ec.message() << "\n";
        return 1;
    }
    return 0;
}
