#include "SolutionTestSupport.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>

ObjectPtr loadMpsObject(const std::string& path, std::string* error) {
    orbxmps::ORBObject* raw = nullptr;
    if (!orbxmps::ORBObjectFactory(&raw)) {
        *error = "no matrix object";
        return nullptr;
    }
    ObjectPtr object(raw);
    orbxmps::XMPSManager* manager = nullptr;
    if (!orbxmps::CreateXMPSManagerObject(&manager)) {
        *error = "no MPS manager";
        return nullptr;
    }
    manager->attach(object.get());
    manager->setInputFile(path);
    try {
        manager->loadProblem();
    } catch (orbxmps::ORB_Exception& exception) {
        exception.HandleExcp();
        *error = exception.what();
        object.reset();
    }
    manager->release();
    return object;
}

CommaLocale::CommaLocale() {
    if (const char* current = std::setlocale(LC_ALL, nullptr)) m_previous = current;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "fr_FR.utf8"})
        if (trySet(name)) return;
    tryCompiled();
}

CommaLocale::~CommaLocale() {
    std::setlocale(LC_ALL, m_previous.c_str());
    if (m_compiled) unsetenv("LOCPATH");
}

bool CommaLocale::trySet(const char* name) {
    if (std::setlocale(LC_ALL, name) == nullptr) return false;
    m_active = std::localeconv()->decimal_point[0] == ',';
    if (!m_active) std::setlocale(LC_ALL, m_previous.c_str());
    return m_active;
}

bool CommaLocale::tryCompiled() {
    if (std::getenv("LOCPATH") != nullptr) return false;
    m_compiled = std::make_unique<TempFolder>();
    const std::string command = "localedef -i de_DE -f ISO-8859-1 '" + m_compiled->path() +
                                "/de_DE.ISO-8859-1' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) return false;
    setenv("LOCPATH", m_compiled->path().c_str(), 1);
    return trySet("de_DE.ISO-8859-1");
}
