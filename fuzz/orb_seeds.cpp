// Writes ORB files from MPS files, as seeds for the ORB reader's fuzzing:
// orb_seeds OUT_FOLDER MPS_FILE...
#include <cstdio>
#include <filesystem>

#include "orbxmps.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: orb_seeds OUT_FOLDER MPS_FILE...\n");
        return 2;
    }
    int failed = 0;
    for (int i = 2; i < argc; ++i) {
        orbxmps::ORBObject* object = nullptr;
        orbxmps::XMPSManager* manager = nullptr;
        orbxmps::ORBObjectFactory(&object);
        orbxmps::CreateXMPSManagerObject(&manager);
        manager->attach(object);
        manager->setInputFile(argv[i]);
        try {
            manager->loadProblem();
            const std::string name = std::filesystem::path(argv[i]).filename().string();
            object->saveToFile(std::string(argv[1]) + "/" + name + ".orb");
        } catch (const orbxmps::ORB_Exception& error) {
            std::fprintf(stderr, "orb_seeds: %s\n", error.what());
            ++failed;
        }
        manager->release();
        object->release();
    }
    return failed == argc - 2 && argc > 2 ? 1 : 0;
}
