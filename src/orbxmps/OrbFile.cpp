#include "OrbFile.h"

#include "OrbExceptions.h"

namespace orbxmps {

// Placeholders until the ORB format lands.
void writeOrbFile(const std::string& path, const MatrixStore&) {
    throw ORB_ExcpFileError("SaveToFile", path + ": ORB writing is not built yet");
}

void readOrbFile(const std::string& path, MatrixStore& store) {
    store.clear();
    throw ORB_ExcpFileError("RestoreFromFile", path + ": ORB reading is not built yet");
}

}  // namespace orbxmps
