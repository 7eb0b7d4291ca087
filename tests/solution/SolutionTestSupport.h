#pragma once

#include <memory>
#include <string>

#include "TempFolder.h"
#include "orbxmps.h"

using testsupport::TempFolder;

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
