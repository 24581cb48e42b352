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
    SessionPlace expected;
};

constexpr uid_t kUser = 1000;
constexpr uid_t kOtherUser = 1001;

NodeFacts Folder(mode_t mode, uid_t owner = kUser) {
    return {NodeFacts::Kind::Folder, owner, mode};
}
NodeFacts Node(NodeFacts::Kind kind, uid_t owner = kUser) {
    return {kind, owner, kind == NodeFacts::Kind::Link ? 0777u : 0644u};
}
const NodeFacts kNothing{};
const NodeFacts kRootFolder = Folder(0755, 0);

SessionPlaceFacts Facts(const char* program, NodeFacts folder, bool writable, NodeFacts beside,
                        const char* xdg, const char* home) {
    return {program, kUser, folder, writable, beside, xdg, home, {}};
}

// The same, with `above` the folders from "/" down to the program's.
SessionPlaceFacts Below(SessionPlaceFacts facts,
                        std::vector<std::pair<std::string, NodeFacts>> above) {
    facts.foldersAbove = std::move(above);
    return facts;
}

SessionPlace At(const std::string& path) {
    return {path, {}, {}};
}

// Test names and failures show the case by what it is, not by its bytes.
void PrintTo(const PlaceCase& c, std::ostream* out) {
    *out << c.name;
}

class SessionPlaceTest : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(SessionPlaceTest, ChoosesTheFileBesideTheProgramOrThePerUserOne) {
    const SessionPlace place = ChooseSessionPlace(GetParam().facts);
    EXPECT_EQ(place.path, GetParam().expected.path);
    EXPECT_EQ(place.problem, GetParam().expected.problem);
    EXPECT_EQ(place.note, GetParam().expected.note);
}

using Kind = NodeFacts::Kind;
const char* const kPerUser = "/home/u/.config/rpncalc/rpncalc.cfg";

SessionPlace PerUserBecause(const std::string& reason) {
    return {kPerUser, {}, std::string("the session is kept in ") + kPerUser + ": " + reason};
}

INSTANTIATE_TEST_SUITE_P(
    Rule, SessionPlaceTest,
    ::testing::Values(
        // Writable folders outside /usr keep the file beside the program, as always.
        PlaceCase{
            "build_folder",
            Facts("/home/u/rpncalc/build/rpncalc", Folder(0755), true, kNothing, "", "/home/u"),
            At("/home/u/rpncalc/build/rpncalc.cfg")},
        PlaceCase{"user_prefix_with_file",
                  Facts("/home/u/.local/lib/rpncalc/rpncalc", Folder(0700), true, Node(Kind::Other),
                        "/x", "/home/u"),
                  At("/home/u/.local/lib/rpncalc/rpncalc.cfg")},
        PlaceCase{"program_renamed",
                  Facts("/opt/calc/calc.bin", Folder(0755, 0), true, kNothing, "", "/root"),
                  At("/opt/calc/calc.cfg")},
        // A folder the user cannot write: one file per user.
        PlaceCase{"read_only_folder",
                  Facts("/opt/rpncalc/rpncalc", kRootFolder, false, kNothing, "", "/home/u"),
                  At(kPerUser)},
        PlaceCase{
            "read_only_folder_xdg_set",
            Facts("/opt/rpncalc/rpncalc", kRootFolder, false, kNothing, "/home/u/cfg", "/home/u"),
            At("/home/u/cfg/rpncalc/rpncalc.cfg")},
        // A file that the user could never replace there is not used.
        PlaceCase{
            "read_only_folder_with_file",
            Facts("/opt/rpncalc/rpncalc", kRootFolder, false, Node(Kind::Other, 0), "", "/home/u"),
            At(kPerUser)},
        // A relative XDG_CONFIG_HOME is ignored, as the convention asks.
        PlaceCase{"relative_xdg",
                  Facts("/opt/rpncalc/rpncalc", kRootFolder, false, kNothing, "cfg", "/home/u"),
                  At(kPerUser)},
        // Under /usr even root, who may write there, gets a file of its own...
        PlaceCase{"system_prefix_writable",
                  Facts("/usr/lib/rpncalc/rpncalc", kRootFolder, true, kNothing, "", "/root"),
                  At("/root/.config/rpncalc/rpncalc.cfg")},
        PlaceCase{"system_prefix_user",
                  Facts("/usr/lib/rpncalc/rpncalc", kRootFolder, false, kNothing, "", "/home/u"),
                  At(kPerUser)},
        // ...unless a session file it can replace is already there.
        PlaceCase{"system_prefix_existing_file",
                  Facts("/usr/local/lib/rpncalc/rpncalc", kRootFolder, true, Node(Kind::Other, 0),
                        "", "/root"),
                  At("/usr/local/lib/rpncalc/rpncalc.cfg")},
        PlaceCase{"usr_as_a_name_prefix_only",
                  Facts("/usrdata/rpncalc", kRootFolder, true, kNothing, "", "/root"),
                  At("/usrdata/rpncalc.cfg")},
        // A link that the user or root put beside the program says where the session goes,
        // writable folder or not.
        PlaceCase{"root's_link_in_read_only_folder",
                  Facts("/usr/lib/rpncalc/rpncalc", kRootFolder, false, Node(Kind::Link, 0), "",
                        "/home/u"),
                  At("/usr/lib/rpncalc/rpncalc.cfg")},
        PlaceCase{
            "own_link_in_own_folder",
            Facts("/home/u/calc/rpncalc", Folder(0755), true, Node(Kind::Link), "", "/home/u"),
            At("/home/u/calc/rpncalc.cfg")},
        // In a folder that is the user's own, what another user owns was not put there by
        // the user (an earlier owner of the folder left it): neither followed nor read.
        PlaceCase{"another_user's_link_in_own_folder",
                  Facts("/home/u/calc/rpncalc", Folder(0755), true, Node(Kind::Link, kOtherUser),
                        "", "/home/u"),
                  PerUserBecause("/home/u/calc/rpncalc.cfg belongs to another user")},
        PlaceCase{"another_user's_file_in_own_folder",
                  Facts("/home/u/calc/rpncalc", Folder(0755), true, Node(Kind::Other, kOtherUser),
                        "", "/home/u"),
                  PerUserBecause("/home/u/calc/rpncalc.cfg belongs to another user")},
        // A folder that others may change keeps no session, whoever owns what is in it.
        PlaceCase{"sticky_tmp",
                  Facts("/tmp/rpncalc", Folder(01777, 0), true, kNothing, "", "/home/u"),
                  PerUserBecause("another user may change the folder /tmp")},
        PlaceCase{"sticky_tmp_with_a_planted_link",
                  Facts("/tmp/rpncalc", Folder(01777, 0), true, Node(Kind::Link, kOtherUser), "",
                        "/home/u"),
                  PerUserBecause("another user may change the folder /tmp")},
        PlaceCase{"sticky_tmp_with_the_user's_own_file",
                  Facts("/tmp/rpncalc", Folder(01777, 0), true, Node(Kind::Other), "", "/home/u"),
                  PerUserBecause("another user may change the folder /tmp")},
        PlaceCase{"group_writable_folder",
                  Facts("/srv/team/rpncalc", Folder(0775), true, Node(Kind::Link), "", "/home/u"),
                  PerUserBecause("another user may change the folder /srv/team")},
        PlaceCase{"another_user's_folder",
                  Facts("/home/o/bin/rpncalc", Folder(0755, kOtherUser), false,
                        Node(Kind::Link, kOtherUser), "", "/home/u"),
                  PerUserBecause("another user may change the folder /home/o/bin")},
        // Whoever may change a folder above the program's may put another folder in its
        // place; a sticky one (/tmp) lets nobody touch the user's folder in it.
        PlaceCase{"own_folder_in_sticky_tmp",
                  Below(Facts("/tmp/b/rpncalc", Folder(0755), true, kNothing, "", "/home/u"),
                        {{"/", kRootFolder}, {"/tmp", Folder(01777, 0)}}),
                  At("/tmp/b/rpncalc.cfg")},
        PlaceCase{
            "own_folder_in_a_group's_folder",
            Below(Facts("/srv/team/u/rpncalc", Folder(0755), true, kNothing, "", "/home/u"),
                  {{"/", kRootFolder}, {"/srv", kRootFolder}, {"/srv/team", Folder(0775, 0)}}),
            PerUserBecause("another user may change the folder /srv/team, which holds "
                           "/srv/team/u")},
        PlaceCase{"own_folder_in_another_user's_folder",
                  Below(Facts("/home/o/u/rpncalc", Folder(0755), true, kNothing, "", "/home/u"),
                        {{"/", kRootFolder},
                         {"/home", kRootFolder},
                         {"/home/o", Folder(0755, kOtherUser)}}),
                  PerUserBecause("another user may change the folder /home/o, which holds "
                                 "/home/o/u")},
        // No home folder known: the path beside the program, whose save error names it...
        PlaceCase{"no_home", Facts("/opt/rpncalc/rpncalc", kRootFolder, false, kNothing, "", ""),
                  At("/opt/rpncalc/rpncalc.cfg")},
        PlaceCase{"relative_home",
                  Facts("/opt/rpncalc/rpncalc", kRootFolder, false, kNothing, "", "home"),
                  At("/opt/rpncalc/rpncalc.cfg")},
        // ...but never a place that another user may change: no session file at all.
        PlaceCase{
            "no_home_in_a_shared_folder",
            Facts("/tmp/rpncalc", Folder(01777, 0), true, kNothing, "", ""),
            {"", "another user may change the folder /tmp, and no home folder is known", ""}}),
    [](const ::testing::TestParamInfo<PlaceCase>& info) {
        std::string name = info.param.name;
        std::erase(name, '\'');
        return name;
    });

// Which folders only the user (and root) may change, and which are private enough for the
// session's lock.
TEST(FolderTrust, WhoMayChangeTheFolder) {
    const struct {
        const char* name;
        NodeFacts folder;
        bool onlyUserMayChange;
        bool privateFolder;
        bool othersCannotReplaceIn;
    } cases[] = {
        {"own, private", Folder(0700), true, true, true},
        {"own, readable by all", Folder(0755), true, false, true},
        {"own, group-writable", Folder(0775), false, false, false},
        {"own, writable by all", Folder(0777), false, false, false},
        {"own, writable by others only", Folder(0702), false, false, false},
        {"own, private and sticky", Folder(01700), true, true, true},
        {"root's", Folder(0755, 0), true, false, true},
        {"root's, private", Folder(0700, 0), true, false, true},
        {"root's, sticky and writable by all (/tmp)", Folder(01777, 0), false, false, true},
        {"root's, group-writable and sticky", Folder(01770, 0), false, false, true},
        {"root's, group-writable", Folder(0775, 0), false, false, false},
        {"another user's, private", Folder(0700, kOtherUser), false, false, false},
        {"another user's, open to all", Folder(0777, kOtherUser), false, false, false},
        {"another user's, sticky", Folder(01777, kOtherUser), false, false, false},
        {"a link to an own folder", Node(Kind::Link), false, false, false},
        {"a file", Node(Kind::Other), false, false, false},
        {"nothing", kNothing, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(OnlyUserMayChange(c.folder, kUser), c.onlyUserMayChange);
        EXPECT_EQ(IsPrivateFolder(c.folder, kUser), c.privateFolder);
        EXPECT_EQ(OthersCannotReplaceIn(c.folder, kUser), c.othersCannotReplaceIn);
    }
}

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
    const SessionPlaceFacts before = GatherSessionPlaceFacts(program);
    EXPECT_TRUE(before.programFolderWritable);
    EXPECT_EQ(before.user, ::geteuid());
    EXPECT_EQ(before.programFolder.kind, NodeFacts::Kind::Folder);
    EXPECT_EQ(before.programFolder.owner, ::geteuid());
    EXPECT_EQ(before.programFolder.mode, 0700u);
    EXPECT_EQ(before.sessionBeside.kind, NodeFacts::Kind::Missing);
    // "/" and "/tmp" above the folder, the sticky /tmp seen as it is.
    ASSERT_EQ(before.foldersAbove.size(), 2u);
    EXPECT_EQ(before.foldersAbove[0].first, "/");
    EXPECT_EQ(before.foldersAbove[1].first, "/tmp");
    EXPECT_NE(before.foldersAbove[1].second.mode & S_ISVTX, 0u);

    // The link itself is seen, not what it leads to.
    std::ofstream(root_ / "elsewhere.cfg").put('x');
    fs::create_symlink(root_ / "elsewhere.cfg", root_ / "rpncalc.cfg");
    const SessionPlaceFacts facts = GatherSessionPlaceFacts(program);
    EXPECT_EQ(facts.sessionBeside.kind, NodeFacts::Kind::Link);
    EXPECT_EQ(facts.sessionBeside.owner, ::geteuid());
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
