#include "ExecutableFolder.h"

#include <unistd.h>

#include <vector>

std::string ExecutableFolder() {
    std::vector<char> path(4096);
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= path.size()) return {};
    const std::string file(path.data(), static_cast<std::size_t>(length));
    const std::size_t slash = file.rfind('/');
    return slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
}
