#include <gtest/gtest.h>

#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "AppCommandLine.h"
#include "TestData.h"

namespace {

TEST(AppCommandLineTest, ReadsEachStartFormAndRejectsBadOnes) {
    const char* const actions[] = {"new",   "open",     "register",     "unregister", "automation",
                                   "print", "print-to", "print-to-pdf", "help",       "rejected"};
    std::istringstream lines(testsupport::testData("app/command_lines.txt"));
    int count = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#') continue;
        SCOPED_TRACE(line);
        std::istringstream words(line.substr(0, line.find("=>")));
        const std::vector<std::string> arguments{std::istream_iterator<std::string>(words), {}};
        const std::string expected = line.substr(line.find("=>") + 3);
        const AppCommandLine c = parseAppCommandLine(arguments);
        const std::string action = actions[static_cast<int>(c.action)];
        if (c.action == StartAction::kRejected) {
            EXPECT_EQ(expected.rfind("rejected ", 0), 0u);
            EXPECT_NE(c.error.find(expected.substr(9)), std::string::npos) << c.error;
        } else {
            EXPECT_EQ(action + "|" + c.fileName + "|" + c.printer + "|" + c.pdfPath + "|" +
                          c.detailName + "|" + (c.rowDisplay ? "r" : "c"),
                      expected);
        }
        ++count;
    }
    EXPECT_EQ(count, 25);
}

}  // namespace
