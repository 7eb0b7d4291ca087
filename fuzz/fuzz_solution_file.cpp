// The KNLP solution reader, through the library object of a small matrix, and the primal lists
// built from what it set.
#include "FuzzInput.h"
#include "IUserInterface.h"
#include "PrimalLists.h"
#include "SolutionFile.h"
#include "orbxmps.h"

namespace {

// Two rows, an objective among them, and three columns, one named as a solution line names it.
constexpr const char* kMatrix =
    "NAME FUZZ\nROWS\n N  OBJ\n L  LIM\nCOLUMNS\n"
    "    X1  OBJ  1  LIM  2\n    X2  LIM  -1\n    Y  OBJ  3\n"
    "RHS\n    RHS  LIM  4\nBOUNDS\n UP BND  X1  8\nENDATA\n";

orbxmps::ORBObject* loadMatrix() {
    orbxmps::ORBObject* object = nullptr;
    orbxmps::XMPSManager* manager = nullptr;
    orbxmps::ORBObjectFactory(&object);
    orbxmps::CreateXMPSManagerObject(&manager);
    manager->attach(object);
    manager->setInputFile(writeFuzzInput("matrix.mps", kMatrix));
    manager->loadProblem();
    manager->release();
    return object;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static orbxmps::ORBObject* const object = loadMatrix();
    const std::string path = writeFuzzInput("KNLP_Solution.001", fuzzBytes(data, size));
    RecordingUserInterface ui;
    if (ReadSolutionFile(object, path, ui)) {
        object->getNonlinearTerms()->update();
        PrimalLists lists;
        LoadPrimalColumnsFromLibrary(*object, lists);
        LoadPrimalRowsFromLibrary(*object, lists);
        lists.SortPrimalLists();
    }
    return 0;
}
