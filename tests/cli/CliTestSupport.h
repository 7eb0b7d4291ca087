#pragma once

#include <string>
#include <vector>

// A folder under the test temporary directory, removed with everything in it at scope exit.
class CliTempFolder {
public:
    CliTempFolder();
    ~CliTempFolder();
    CliTempFolder(const CliTempFolder&) = delete;
    CliTempFolder& operator=(const CliTempFolder&) = delete;

    const std::string& path() const { return m_path; }
    std::string write(const std::string& name, const std::string& text) const;

private:
    std::string m_path;
};

struct InspectRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs norva-inspect with arguments (no shell), capturing both streams through files in scratch.
InspectRun runInspect(const std::vector<std::string>& arguments, const CliTempFolder& scratch);

std::string readWholeFile(const std::string& path);
std::vector<std::string> splitLines(const std::string& text);
