#include "FuzzInput.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

std::string g_folder;

void removeFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(g_folder, ignored);
}

const std::string& folder() {
    if (g_folder.empty()) {
        std::string pattern = (std::filesystem::temp_directory_path() / "norva-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::perror("norva fuzz: cannot make a scratch folder");
            std::abort();
        }
        g_folder = pattern;
        std::atexit(removeFolder);
    }
    return g_folder;
}

}  // namespace

std::string writeFuzzInput(const std::string& name, std::string_view bytes) {
    const std::string path = folder() + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "norva fuzz: cannot write %s\n", path.c_str());
        std::abort();
    }
    return path;
}
