#include "AppTestSupport.h"
#include "InstallLayout.h"

namespace {

using apptest::qt;

// A prefix in a temporary folder, its program in bin/; files are made by relative path.
class InstallLayoutTest : public ::testing::Test {
protected:
    void make(const std::string& relative) {
        std::filesystem::create_directories(std::filesystem::path(prefix / relative).parent_path());
        prefix.write(relative, "x");
    }
    InstallLayout layout() const { return InstallLayout(qt(prefix / "bin/norva")); }
    QString at(const std::string& relative) const { return qt(prefix / relative); }

    testsupport::TempFolder prefix;
};

TEST_F(InstallLayoutTest, FilesBesideTheProgramWinOverInstalledOnes) {
    EXPECT_EQ(layout().helpIndex(), at("bin/help/index.html"));
    EXPECT_EQ(layout().translationFolder("DEU_norva.qm"), at("bin"));
    EXPECT_EQ(layout().examplesFolder(), "");

    make("share/norva/help/index.html");
    make("share/norva/translations/DEU_norva.qm");
    make("share/doc/norva/examples/afiro.mps");
    EXPECT_EQ(layout().helpIndex(), at("share/norva/help/index.html"));
    EXPECT_EQ(layout().translationFolder("DEU_norva.qm"), at("share/norva/translations"));
    EXPECT_EQ(layout().translationFolder("FRA_norva.qm"), at("bin"));
    EXPECT_EQ(layout().examplesFolder(), at("share/doc/norva/examples"));

    make("bin/help/index.html");
    make("bin/DEU_norva.qm");
    make("bin/examples/afiro.mps");
    EXPECT_EQ(layout().helpIndex(), at("bin/help/index.html"));
    EXPECT_EQ(layout().translationFolder("DEU_norva.qm"), at("bin"));
    EXPECT_EQ(layout().examplesFolder(), at("bin/examples"));
    // An installation with a desktop entry names its share folder.
    EXPECT_EQ(layout().installedDataRoot(), "");
    make("share/applications/norva.desktop");
    EXPECT_EQ(layout().installedDataRoot(), at("share"));
}

}  // namespace
