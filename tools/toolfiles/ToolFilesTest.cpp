// ToolFilesTest: the archive packer and the data check given hostile arguments (a folder, a pipe,
// an endless device, a link planted where a temporary file could be guessed) must end, refuse
// with a message and a failing status, and write nowhere but their target.
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace vsm::tools {
namespace {

namespace fs = std::filesystem;

struct ToolRun {
    bool ended = false; // false: still running after the limit, killed
    bool signalled = false;
    int status = -1;
    std::string output; // stdout and stderr together
};

// Runs program with args, its output into a file, and kills it if it runs past the limit.
ToolRun RunTool(const std::string& program, const std::vector<std::string>& args, const fs::path& outFile) {
    std::vector<char*> argv;
    std::vector<std::string> all = {program};
    all.insert(all.end(), args.begin(), args.end());
    for (std::string& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    ToolRun run;
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int fd = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(fd, 1);
        ::dup2(fd, 2);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    int wstatus = 0;
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (::waitpid(pid, &wstatus, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > limit) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &wstatus, 0);
            return run;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    run.ended = true;
    run.signalled = WIFSIGNALED(wstatus);
    run.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    std::ifstream in(outFile);
    run.output.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return run;
}

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(ToolInput, ToolsRefuseWhatIsNotARegularFile) {
    const fs::path dir = test::ScratchDir("toolfiles");
    const fs::path fifo = dir / "pipe.tsc";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    fs::create_directory(dir / "folder.tsc");
    fs::create_symlink("/dev/zero", dir / "zero.tsc");
    const fs::path empty = dir / "empty";
    fs::create_directory(empty);
    const std::string archive = (dir / "out.bca").string();
    struct Case {
        const char* what;
        std::string program;
        std::vector<std::string> args;
        std::string named; // the refused file, which the message must name
    };
    const Case cases[] = {
        {"packer given a folder", VSM_PACK_ARCHIVE, {archive, (dir / "folder.tsc").string()}, "folder.tsc"},
        {"packer given a pipe", VSM_PACK_ARCHIVE, {archive, fifo.string()}, "pipe.tsc"},
        {"packer given /dev/zero", VSM_PACK_ARCHIVE, {archive, "/dev/zero"}, "/dev/zero"},
        {"packer given a link to /dev/zero",
         VSM_PACK_ARCHIVE,
         {archive, (dir / "zero.tsc").string()},
         "zero.tsc"},
        {"data check given /dev/zero as its list",
         VSM_CHECK_DATA,
         {empty.string() + "/", empty.string(), "/dev/zero"},
         "/dev/zero"},
        {"data check given a pipe as its list",
         VSM_CHECK_DATA,
         {empty.string() + "/", empty.string(), fifo.string()},
         "pipe.tsc"},
        {"data check given a folder as its list",
         VSM_CHECK_DATA,
         {empty.string() + "/", empty.string(), empty.string()},
         "empty"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ToolRun run = RunTool(c.program, c.args, dir / "output.txt");
        if (!run.ended) {
            ADD_FAILURE() << "still running after 10 s";
            continue;
        }
        EXPECT_FALSE(run.signalled) << run.output;
        EXPECT_GT(run.status, 0) << run.output;
        EXPECT_NE(run.output.find(c.named), std::string::npos) << run.output;
        EXPECT_NE(run.output.find("not a regular file"), std::string::npos) << run.output;
        EXPECT_FALSE(fs::exists(archive)) << "an archive was written from refused input";
    }
}

// A link planted at a temporary name the packer could be expected to use must not be followed:
// the file it points to keeps its bytes and the archive lands at its target as a file of its own.
TEST(ToolInput, PackerNeverWritesThroughAPlantedLink) {
    const fs::path dir = test::ScratchDir("toolfiles-link");
    const fs::path victim = dir / "victim.txt";
    const fs::path target = dir / "out.bca";
    std::ofstream(victim) << "keep me\n";
    std::ofstream(dir / "doc.tsc") << "Doc{ Key=1 }\n";
    fs::create_symlink(victim, target.string() + ".tmp");
    ToolRun run =
        RunTool(VSM_PACK_ARCHIVE, {target.string(), (dir / "doc.tsc").string()}, dir / "output.txt");
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(ReadAll(victim), "keep me\n");
    EXPECT_FALSE(fs::is_symlink(target));
    EXPECT_EQ(ReadAll(target).substr(0, 4), std::string("BCA\0", 4));
}

} // namespace
} // namespace vsm::tools
