#include "platform/base/fileUtil.h"
#include "platform/base/exBase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Zv;

namespace {

class FileUtilTest : public ::testing::Test {
protected:
    void SetUp() override {
        _dir =
            std::filesystem::temp_directory_path() / ("zv-files-" + std::to_string(getpid()) + "-" +
                                                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(_dir);
    }
    void TearDown() override { std::filesystem::remove_all(_dir); }

    std::string path(const std::string& name) const { return (_dir / name).string(); }
    void put(const std::string& name, const std::string& content) const { std::ofstream(path(name)) << content; }
    // The message of the refusal, or "" when there was none.
    template <class Call>
    static std::string refusal(Call call) {
        try {
            call();
        } catch (const ExBadInput& ex) {
            return ex.getMessage();
        }
        return "";
    }
    std::vector<std::string> listDir() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(_dir)) names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::filesystem::path _dir;
};

} // namespace

TEST_F(FileUtilTest, ReadingTakesOnlyRegularFilesUpToTheLimit) {
    put("ten.txt", "0123456789");
    EXPECT_EQ(FileUtil::readFile(path("ten.txt"), 10), "0123456789");
    EXPECT_EQ(refusal([&] { FileUtil::readFile(path("ten.txt"), 9); }),
              path("ten.txt") + ": cannot be read: larger than the limit of 9 bytes");
    EXPECT_EQ(refusal([&] { FileUtil::readFile(path("none.txt")); }),
              path("none.txt") + ": cannot be read: No such file or directory");
    // A device that never ends, a folder, and a pipe without a writer (which must not hang).
    ASSERT_EQ(mkfifo(path("pipe").c_str(), 0600), 0);
    for (const std::string& special : {std::string("/dev/zero"), _dir.string(), path("pipe")})
        EXPECT_EQ(refusal([&] { FileUtil::readFile(special); }), special + ": cannot be read: not a regular file");
    // System files report no size: the limit holds for what is actually read.
    EXPECT_NE(FileUtil::readFile("/proc/self/status").find("Name:"), std::string::npos);
    EXPECT_NE(refusal([&] { FileUtil::readFile("/proc/self/status", 16); }), "");
}

TEST_F(FileUtilTest, SavingKeepsTheUsersFilesModeAndLinks) {
    put("out.xml.tmp", "the user's own");
    put("out.xml", "old");
    ASSERT_EQ(chmod(path("out.xml").c_str(), 0640), 0);
    FileUtil::writeFileAtomically(path("out.xml"), "new");
    std::filesystem::create_directory(path("real"));
    std::filesystem::create_symlink("real/target.xml", path("link.xml"));
    FileUtil::writeFileAtomically(path("link.xml"), "through the link");

    EXPECT_EQ(FileUtil::readFile(path("out.xml")), "new");
    EXPECT_EQ(FileUtil::readFile(path("out.xml.tmp")), "the user's own");
    struct stat status {};
    ASSERT_EQ(stat(path("out.xml").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_TRUE(std::filesystem::is_symlink(path("link.xml")));
    EXPECT_EQ(FileUtil::readFile(path("real/target.xml")), "through the link");
    // A new file gets the mode the file-creation mask gives.
    mode_t mask = umask(027);
    FileUtil::writeFileAtomically(path("fresh.xml"), "");
    umask(mask);
    ASSERT_EQ(stat(path("fresh.xml").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(listDir(), (std::vector<std::string>{"fresh.xml", "link.xml", "out.xml", "out.xml.tmp", "real"}));
}

TEST_F(FileUtilTest, FailedSavesTellTheSystemsReasonAndLeaveNothing) {
    EXPECT_EQ(refusal([&] { FileUtil::writeFileAtomically(path("missing/out.xml"), "x"); }),
              path("missing/out.xml") + ": cannot be written: No such file or directory");
    EXPECT_EQ(refusal([&] { FileUtil::writeFileAtomically("/dev/full", "x"); }),
              "/dev/full: cannot be written: not a regular file");
    // A write that fails half-way: the disk full or, here, the size limit of the process.
    put("out.xml", "old");
    rlimit limit{}, small{4096, RLIM_INFINITY};
    getrlimit(RLIMIT_FSIZE, &limit);
    auto formerHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    std::string message = refusal([&] { FileUtil::writeFileAtomically(path("out.xml"), std::string(8192, 'x')); });
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, formerHandler);
    EXPECT_EQ(message, path("out.xml") + ": cannot be written: File too large");
    EXPECT_EQ(FileUtil::readFile(path("out.xml")), "old");
    EXPECT_EQ(listDir(), std::vector<std::string>{"out.xml"});
}
