#pragma once

// Shared by the MPS reader tests: model text written to a private temporary folder, read
// back, and rejections checked for their line number and wording.

#include <zlib.h>

#include <vector>

#include "MpsReader.h"
#include "StoreListing.h"
#include "TempFolder.h"
#include "TestData.h"
#include "TextHolds.h"
#include "orbxmps.h"

namespace orbxmps::mpstest {

using ::orbxmps::testsupport::listing;
using ::testsupport::TempFolder;

// text compressed with gzip framing, as `gzip` writes it.
inline std::string gzipped(std::string_view text) {
    const TempFolder folder;
    gzFile file = gzopen((folder / "z.gz").c_str(), "wb");
    EXPECT_NE(file, nullptr);
    if (file == nullptr) return {};
    if (!text.empty()) gzwrite(file, text.data(), static_cast<unsigned>(text.size()));
    gzclose(file);
    return ::testsupport::fileText(folder / "z.gz");
}

// The model in the file at path, a name under tests/data/mps when relative.
inline MatrixStore readFile(std::string path, MpsFormat format = MpsFormat::kAuto) {
    if (!path.starts_with('/')) path = NORVA_TEST_DATA_DIR "/mps/" + path;
    MatrixStore store;
    readMpsFile(path, format, store);
    return store;
}

// The cases of a file under tests/data: each a line "== NUMBER PHRASE", then its text; lines
// that begin with '#' are notes. A phrase "free: ..." or "fixed: ..." reads the text as that.
struct TextCase {
    int line;
    std::string phrase;
    std::string text;
    MpsFormat format = MpsFormat::kAuto;
};
inline std::vector<TextCase> textCases(const std::string& name) {
    std::istringstream in(::testsupport::testData(name));
    std::vector<TextCase> cases;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("== ")) {
            TextCase& c = cases.emplace_back(std::stoi(line.substr(3)),
                                             line.substr(line.find(' ', 3) + 1), "");
            if (c.phrase.starts_with("free: ")) c.format = MpsFormat::kFree;
            if (c.phrase.starts_with("fixed: ")) c.format = MpsFormat::kFixed;
            if (c.format != MpsFormat::kAuto) c.phrase.erase(0, c.phrase.find(' ') + 1);
        } else if (!cases.empty() && !line.starts_with('#')) {
            cases.back().text += line + "\n";
        }
    }
    return cases;
}

// The model in text, read as an MPS file; failures surface as the library's exception.
inline MatrixStore readText(std::string_view text, MpsFormat format = MpsFormat::kAuto) {
    TempFolder folder;
    return readFile(folder.write("model.mps", text), format);
}

// The message of the rejection of the file at path, read over a loaded model, which must
// name the file and leave the store empty; a test failure when it is read. With fileError, a
// file error (not one of content) holding it.
inline std::string fileRejection(const std::string& path, std::string_view fileError = {},
                                 MpsFormat format = MpsFormat::kAuto) {
    MatrixStore store = readFile("small.mps");
    try {
        readMpsFile(path, format, store);
    } catch (const CMF_Exception& error) {
        EXPECT_EQ(listing(store), listing(MatrixStore())) << "store not emptied";
        const std::string message = error.what();
        EXPECT_TRUE(message.starts_with(path + (fileError.empty() ? ":" : ": "))) << message;
        EXPECT_TRUE(fileError.empty() || error.GetExcpName() == std::string("CMF_ExcpFileError"));
        EXPECT_TRUE(holds(message, fileError));
        return message;
    }
    ADD_FAILURE() << "accepted " << path;
    return {};
}

// The message of the rejection of text, from the file name on, so that expectations do not
// depend on the folder.
inline std::string rejection(std::string_view text, MpsFormat format = MpsFormat::kAuto) {
    TempFolder folder;
    const std::string message = fileRejection(folder.write("model.mps", text), {}, format);
    return message.empty() ? message : message.substr(message.find("model.mps"));
}

// Expects the rejection at line with phrase in the message; a format may follow.
#define EXPECT_REJECTED_AT(text, line, phrase, ...)                                               \
    do {                                                                                          \
        const std::string message_ =                                                              \
            ::orbxmps::mpstest::rejection(text __VA_OPT__(, ) __VA_ARGS__);                       \
        EXPECT_EQ(message_.rfind("model.mps:" + std::to_string(line) + ": ", 0), 0u) << message_; \
        EXPECT_NE(message_.find(phrase), std::string::npos) << message_;                          \
    } while (false)

}  // namespace orbxmps::mpstest
