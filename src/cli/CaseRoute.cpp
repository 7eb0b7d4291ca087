#include "CaseRoute.h"

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "AsciiCase.h"
#include "CaseBus.h"
#include "OpenPath.h"

namespace {

// Beside the program in the build tree, under the library folder once installed.
std::vector<std::filesystem::path> moduleCandidates() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return {};
    const std::filesystem::path folder = program.parent_path();
    return {folder / kCaseBusModuleName,
            (folder / NORVA_CAS_MODULE_RELATIVE_DIR / kCaseBusModuleName).lexically_normal()};
}

bool isFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace

CaseRoute::CaseRoute(const std::string& matrixPath, const std::optional<std::string>& processName,
                     CNorvaDoc& doc) {
    if (!equalsIgnoreAsciiCase(SplitOpenPath(matrixPath).extension, "cas")) return;
    if (!loadModule()) return;
    doc.setLoomConnector(&m_bus->connector());
    doc.settings().LoomProcessName = processName ? *processName : m_bus->storedProcessName();
}

CaseRoute::~CaseRoute() = default;

bool CaseRoute::loadModule() {
    const std::string prefix =
        std::string("a .cas file needs the module ") + kCaseBusModuleName + ", which ";
    const std::vector<std::filesystem::path> candidates = moduleCandidates();
    const auto found = std::find_if(candidates.begin(), candidates.end(), isFile);
    if (found == candidates.end()) {
        m_failure = prefix + "is not installed beside the program nor in its library folder";
        return false;
    }
    // Never unloaded: the Qt libraries it brings are not made to be unloaded.
    void* module = dlopen(found->c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        m_failure = prefix + "could not be loaded: " + dlerror();
        return false;
    }
    const auto create =
        reinterpret_cast<CreateCaseBusFunction>(dlsym(module, kCreateCaseBusSymbol));
    if (create == nullptr) {
        m_failure = prefix + "has no entry point " + kCreateCaseBusSymbol + ": " + found->string();
        return false;
    }
    m_bus.reset(create());
    return true;
}
