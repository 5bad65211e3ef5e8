// A process saving the options, a profile and the hiscore table in a loop is killed at random
// moments; after every kill each file must read back as one whole version, the one before the
// save that was cut or the one it was writing.
#include "ChurnDocuments.h"

#include "data/TTSCFile.h"
#include "platform/Files.h"
#include "platform/Headless.h"
#include "profiles/ProfilesGlobals.h"
#include "profiles/THiscores.h"
#include "profiles/TProfile.h"
#include "profiles/TProfileManager.h"
#include "services/Paths.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <thread>

extern char** environ;

namespace vsm::test {
namespace {

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<missing>";
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Encoded(const std::string& utf8) {
    const std::vector<uint8_t> bytes = EncodeText(utf8);
    return std::string(bytes.begin(), bytes.end());
}

// The bytes each document has on disk in each version, worked out in this process from the
// version-0 files.
class Versions {
  public:
    Versions(const ChurnPaths& paths, std::string scratch)
        : scratch(std::move(scratch)), profileBase(Bytes(paths.profile)),
          hiscoresBase(Bytes(paths.hiscores)) {}

    const std::string& Options(int k) {
        auto [it, fresh] = options.try_emplace(k);
        if (fresh) it->second = Encoded(ChurnOptionsText(k));
        return it->second;
    }
    const std::string& Profile(int k) {
        auto [it, fresh] = profiles.try_emplace(k);
        if (fresh) {
            const std::string path = scratch + "/profile.dat";
            Write(path, profileBase);
            TProfilePtr p = TProfile::Create(path);
            if (p) {
                ApplyChurnProfile(*p, k);
                it->second = Encoded(p->file->SavedText());
            }
        }
        return it->second;
    }
    const std::string& Hiscores(int k) {
        auto [it, fresh] = hiscores.try_emplace(k);
        if (fresh) {
            const std::string path = scratch + "/hiscores.dat";
            Write(path, hiscoresBase);
            THiscores table = THiscores::Create(path);
            for (int j = std::max(1, k - table.maxCount + 1); j <= k; ++j)
                table.add2(CHURN_PLAYER, j, 0, 2, "01.02.2024", CHURN_BOARD);
            table.TrimHiscores();
            if (table.Save() == 0) it->second = Bytes(path);
        }
        return it->second;
    }

  private:
    std::string scratch;
    std::string profileBase, hiscoresBase;
    std::map<int, std::string> options, profiles, hiscores;
};

// One run of the saving process, read through a pipe on its descriptor 3.
class Churner {
  public:
    Churner(const std::string& userFolder, int first) {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
        const std::string firstText = std::to_string(first);
        const std::string resources = ResourcesDir();
        char* argv[] = {const_cast<char*>(VSM_SAVE_CHURN), const_cast<char*>(userFolder.c_str()),
                        const_cast<char*>(resources.c_str()), const_cast<char*>(firstText.c_str()), nullptr};
        if (posix_spawn(&pid, VSM_SAVE_CHURN, &actions, nullptr, argv, environ) != 0) pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
        out = fds[0];
    }
    ~Churner() {
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
        if (out >= 0) ::close(out);
    }

    // Reads up to the next newline; "" at the end of the output.
    std::string Line() {
        std::string line;
        char c;
        while (::read(out, &c, 1) == 1) {
            if (c == '\n') return line;
            line += c;
        }
        return "";
    }
    // Kills the process and returns the last round it reported (last when it reported none) and
    // whether it was the kill that ended it.
    std::pair<int, bool> Kill(int last) {
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        pid = -1;
        for (std::string line = Line(); !line.empty(); line = Line())
            last = std::atoi(line.c_str());
        return {last, WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL};
    }

    pid_t pid = -1;
    int out = -1;
};

class KillSavesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UseHeadlessBackend();
        ResetProfilesGlobals();
        user = ScratchDir("kill-saves");
        paths = ChurnPathsIn(user);
        std::filesystem::create_directories(paths.profiles);
        std::filesystem::create_directories(user + "/data");
        bDir = ResourcesDir();

        // Version 0 of every document, written by the game's own stores.
        ASSERT_TRUE(SaveChurnOptions(paths.options, 0));
        profile = TProfileManager::Create(paths.profiles, "dat");
        ASSERT_EQ(profile.NewProfile(CHURN_PLAYER), 1);
        ApplyChurnProfile(*profile.selectedProfile, 0);
        ASSERT_EQ(profile.SaveProfile(), 0);
        THiscores table;
        table.path = paths.hiscores;
        table.add2("korvela", 10000, 0, 1, "01.01.2024", "null");
        ASSERT_EQ(table.Save(), 0);
    }
    void TearDown() override { ResetProfilesGlobals(); }

    std::string user;
    ChurnPaths paths;
};

int Rounds() {
    const char* text = std::getenv("VSM_KILL_ROUNDS");
    return text && std::atoi(text) > 0 ? std::atoi(text) : 300;
}

TEST_F(KillSavesTest, EveryFileHoldsOneWholeVersionAfterEachKill) {
    Versions versions(paths, ScratchDir("kill-saves-ref"));
    ASSERT_EQ(Bytes(paths.profile), versions.Profile(0));
    ASSERT_EQ(Bytes(paths.hiscores), versions.Hiscores(0));
    ASSERT_EQ(Bytes(paths.options), versions.Options(0));

    std::mt19937 random(20240201u);
    int last = 0;              // every document is at least at this version
    int caughtSaving = 0;      // kills that left some document ahead of the last reported round
    double roundMicros = 5000; // how long one round of three saves takes, as last measured
    const int rounds = Rounds();
    for (int round = 0; round < rounds; ++round) {
        Churner churner(user, last + 1);
        ASSERT_GT(churner.pid, 0);
        ASSERT_EQ(churner.Line(), "ready") << "the saving process did not start (round " << round << ")";
        // Half the kills wait for a whole round first, so that the documents move on however
        // slow the disk is; then the kill falls anywhere within about one round's time.
        int reportedEarly = last;
        if (random() % 2 == 0) {
            const auto start = std::chrono::steady_clock::now();
            const std::string line = churner.Line();
            ASSERT_FALSE(line.empty()) << "the saving process stopped by itself (round " << round << ")";
            reportedEarly = std::atoi(line.c_str());
            const double us =
                std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
            roundMicros = 0.8 * roundMicros + 0.2 * us;
        }
        std::this_thread::sleep_for(
            std::chrono::microseconds(random() % (1 + static_cast<int>(1.5 * roundMicros))));
        auto [reported, killed] = churner.Kill(reportedEarly);
        ASSERT_TRUE(killed) << "the saving process stopped by itself (round " << round << ")";
        ASSERT_GE(reported, last);
        last = reported;

        struct Check {
            const char* name;
            std::string path;
            const std::string& (Versions::*bytes)(int);
        };
        bool ahead = false;
        for (const Check& c : {Check{"options", paths.options, &Versions::Options},
                               Check{"profile", paths.profile, &Versions::Profile},
                               Check{"hiscores", paths.hiscores, &Versions::Hiscores}}) {
            const std::string now = Bytes(c.path);
            const std::string& before = (versions.*c.bytes)(last);
            const std::string& after = (versions.*c.bytes)(last + 1);
            ASSERT_TRUE(now == before || now == after)
                << c.name << " after kill " << round << " is neither version " << last << " ("
                << before.size() << " bytes) nor " << last + 1 << " (" << after.size() << " bytes) but "
                << now.size() << " bytes:\n"
                << now.substr(0, 400);
            if (now != before) ahead = true;
        }
        if (ahead) ++caughtSaving;
    }
    // The kills must land inside saves, or the check above proves nothing.
    EXPECT_GT(caughtSaving, rounds / 20) << "of " << rounds << " kills";
    EXPECT_GT(last, rounds / 4);
    std::printf("%d kills, %d rounds saved, %d kills caught a round half-saved\n", rounds, last,
                caughtSaving);

    // What is left is what the next start of the game reads: every document loads, none is
    // moved aside as damaged.
    TTSCFile options;
    EXPECT_NO_THROW(options.Load(paths.options));
    EXPECT_GE(options.TryGetNumberKey("Options", "Version", 0).value_or(-1), static_cast<float>(last));
    profile = TProfileManager::Create(paths.profiles, "dat");
    ASSERT_EQ(profile.SelectProfile(CHURN_PLAYER), 1);
    EXPECT_GE(profile.GetNumber("ChurnVersion"), last);
    THiscores table = THiscores::Create(paths.hiscores);
    EXPECT_GE(table.GetBestScore(2, CHURN_BOARD), last);
    EXPECT_FALSE(std::filesystem::exists(paths.hiscores + ".damaged"));
}

} // namespace
} // namespace vsm::test
