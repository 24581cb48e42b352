// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/session_location.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>

namespace rpn {
namespace {

namespace fs = std::filesystem;

struct PlaceCase {
    const char* name;
    SessionPlaceFacts facts;
    const char* expected;
};

SessionPlaceFacts Facts(const char* program, bool writable, bool exists, bool link, const char* xdg,
                        const char* home) {
    return {program, writable, exists, link, xdg, home};
}

// Test names and failures show the case by what it is, not by its bytes.
void PrintTo(const PlaceCase& c, std::ostream* out) {
    *out << c.name;
}

class SessionPlaceTest : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(SessionPlaceTest, ChoosesTheFileBesideTheProgramOrThePerUserOne) {
    EXPECT_EQ(SessionFilePath(GetParam().facts), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rule, SessionPlaceTest,
    ::testing::Values(
        // Writable folders outside /usr keep the file beside the program, as always.
        PlaceCase{"build_folder",
                  Facts("/home/u/rpncalc/build/rpncalc", true, false, false, "", "/home/u"),
                  "/home/u/rpncalc/build/rpncalc.cfg"},
        PlaceCase{"user_prefix_with_file",
                  Facts("/home/u/.local/lib/rpncalc/rpncalc", true, true, false, "/x", "/home/u"),
                  "/home/u/.local/lib/rpncalc/rpncalc.cfg"},
        PlaceCase{"program_renamed", Facts("/opt/calc/calc.bin", true, false, false, "", "/root"),
                  "/opt/calc/calc.cfg"},
        // A folder the user cannot write: one file per user.
        PlaceCase{"read_only_folder",
                  Facts("/opt/rpncalc/rpncalc", false, false, false, "", "/home/u"),
                  "/home/u/.config/rpncalc/rpncalc.cfg"},
        PlaceCase{"read_only_folder_xdg_set",
                  Facts("/opt/rpncalc/rpncalc", false, false, false, "/home/u/cfg", "/home/u"),
                  "/home/u/cfg/rpncalc/rpncalc.cfg"},
        // A file that the user could never replace there is not used.
        PlaceCase{"read_only_folder_with_file",
                  Facts("/opt/rpncalc/rpncalc", false, true, false, "", "/home/u"),
                  "/home/u/.config/rpncalc/rpncalc.cfg"},
        // A relative XDG_CONFIG_HOME is ignored, as the convention asks.
        PlaceCase{"relative_xdg",
                  Facts("/opt/rpncalc/rpncalc", false, false, false, "cfg", "/home/u"),
                  "/home/u/.config/rpncalc/rpncalc.cfg"},
        // Under /usr even root, who may write there, gets a file of its own...
        PlaceCase{"system_prefix_writable",
                  Facts("/usr/lib/rpncalc/rpncalc", true, false, false, "", "/root"),
                  "/root/.config/rpncalc/rpncalc.cfg"},
        PlaceCase{"system_prefix_user",
                  Facts("/usr/lib/rpncalc/rpncalc", false, false, false, "", "/home/u"),
                  "/home/u/.config/rpncalc/rpncalc.cfg"},
        // ...unless a session file it can replace is already there.
        PlaceCase{"system_prefix_existing_file",
                  Facts("/usr/local/lib/rpncalc/rpncalc", true, true, false, "", "/root"),
                  "/usr/local/lib/rpncalc/rpncalc.cfg"},
        PlaceCase{"usr_as_a_name_prefix_only",
                  Facts("/usrdata/rpncalc", true, false, false, "", "/root"),
                  "/usrdata/rpncalc.cfg"},
        // A link put beside the program says where the session goes, writable folder or not.
        PlaceCase{"link_in_read_only_folder",
                  Facts("/usr/lib/rpncalc/rpncalc", false, true, true, "", "/home/u"),
                  "/usr/lib/rpncalc/rpncalc.cfg"},
        // No home folder known: the path beside the program, whose save error names it.
        PlaceCase{"no_home", Facts("/opt/rpncalc/rpncalc", false, false, false, "", ""),
                  "/opt/rpncalc/rpncalc.cfg"},
        PlaceCase{"relative_home", Facts("/opt/rpncalc/rpncalc", false, false, false, "", "home"),
                  "/opt/rpncalc/rpncalc.cfg"}),
    [](const ::testing::TestParamInfo<PlaceCase>& info) { return std::string(info.param.name); });

class SessionFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/rpncalc_place_XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        root_ = pattern;
    }
    void TearDown() override { fs::remove_all(root_); }
    fs::path root_;
};

TEST_F(SessionFolderTest, GathersTheFactsOfARealProgramFolder) {
    const fs::path program = root_ / "rpncalc";
    std::ofstream(program).put('x');
    EXPECT_TRUE(GatherSessionPlaceFacts(program).programFolderWritable);
    EXPECT_FALSE(GatherSessionPlaceFacts(program).sessionBesideExists);

    fs::create_symlink(root_ / "elsewhere.cfg", root_ / "rpncalc.cfg");
    const SessionPlaceFacts facts = GatherSessionPlaceFacts(program);
    EXPECT_TRUE(facts.sessionBesideExists);
    EXPECT_TRUE(facts.sessionBesideIsLink);
}

TEST_F(SessionFolderTest, CreatesTheMissingFoldersPrivateToTheUser) {
    const fs::path session = root_ / "config" / "rpncalc" / "rpncalc.cfg";
    PrepareSessionFolder(session);
    ASSERT_TRUE(fs::is_directory(session.parent_path()));
    struct stat info;
    ASSERT_EQ(::stat(session.parent_path().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_FALSE(fs::exists(session));
    // Folders that are already there stay as they are.
    PrepareSessionFolder(session);
    EXPECT_TRUE(fs::is_directory(session.parent_path()));
}

}  // namespace
}  // namespace rpn
