#pragma once

#include <memory>
#include <string>

#include "orbxmps.h"

// A folder under the test temporary directory, removed with everything in it at scope exit.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return m_path; }
    // Writes text to name inside the folder and returns the file's path.
    std::string write(const std::string& name, const std::string& text) const;

private:
    std::string m_path;
};

struct ObjectRelease {
    void operator()(orbxmps::ORBObject* object) const { object->release(); }
};
using ObjectPtr = std::unique_ptr<orbxmps::ORBObject, ObjectRelease>;

// Loads an MPS file into a new matrix object through the library, as the document does. Null,
// with the library's message in *error, when it fails.
ObjectPtr loadMpsObject(const std::string& path, std::string* error);

// Sets the process locale to one whose decimal separator is a comma for the object's life.
// When none is installed, one is compiled with localedef into a private folder (LOCPATH).
// active() is false when neither works.
class CommaLocale {
public:
    CommaLocale();
    ~CommaLocale();
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    bool active() const { return m_active; }

private:
    bool trySet(const char* name);
    bool tryCompiled();

    std::string m_previous;
    std::unique_ptr<TempFolder> m_compiled;
    bool m_active = false;
};
