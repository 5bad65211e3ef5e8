// Tests of the per-user folder and of the clock text of durations.
#include "data/DataFolders.h"

#include "platform/Files.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace vsm {
namespace {

TEST(SecToTime, ClockText) {
    struct Case {
        int seconds;
        const char* text;
    } cases[] = {
        {0, "0:00"},         {5, "0:05"},           {65, "1:05"},      {90, "1:30"},
        {600, "10:00"},      {3599, "59:59"},       {3600, "1:00:00"}, {3725, "1:02:05"},
        {36000, "10:00:00"}, {360000, "100:00:00"}, {-65, "-1:05"},    {INT32_MIN, "-596523:14:08"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seconds);
        EXPECT_EQ(SecToTime(c.seconds), c.text);
    }
}

// Sets an environment variable for the test's lifetime, restoring the old value after.
class EnvOverride {
  public:
    EnvOverride(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
    ~EnvOverride() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(DataFolders, XdgDataHomeGetsEveryMissingParentCreated) {
    std::string scratch = test::ScratchDir("xdg");
    EnvOverride xdg("XDG_DATA_HOME", scratch + "/deep/share/");
    EXPECT_EQ(GetDataFolders(), 0);
    EXPECT_EQ(myDocsFolder, scratch + "/deep/share/vessamoor");
    EXPECT_EQ(FileType(myDocsFolder + "/data"), FILETYPE_DIR);
    EXPECT_EQ(FileType(myDocsFolder + "/profiles"), FILETYPE_DIR);
    // A second run finds everything in place and changes nothing.
    SaveText("keep", myDocsFolder + "/data/options.tsc");
    EXPECT_EQ(GetDataFolders(), 0);
    EXPECT_EQ(LoadText(myDocsFolder + "/data/options.tsc"), std::optional<std::string>("keep"));
}

TEST(DataFolders, DefaultsUnderTheHomeFolder) {
    std::string scratch = test::ScratchDir("home");
    EnvOverride home("HOME", scratch);
    for (const std::optional<std::string>& xdg :
         {std::optional<std::string>(), std::optional<std::string>(""),
          std::optional<std::string>("relative/path")}) {
        EnvOverride unset("XDG_DATA_HOME", xdg);
        EXPECT_EQ(GetDataFolders(), 0);
        EXPECT_EQ(myDocsFolder, scratch + "/.local/share/vessamoor");
        EXPECT_EQ(FileType(myDocsFolder + "/profiles"), FILETYPE_DIR);
    }
}

TEST(DataFolders, UserFolderNeedsAnAbsoluteBase) {
    struct Case {
        const char* xdg;
        const char* home;
        const char* folder;
    } cases[] = {
        {"/x/share/", "/home/u", "/x/share/vessamoor"},
        {nullptr, "/home/u/", "/home/u/.local/share/vessamoor"},
        {"rel", "/home/u", "/home/u/.local/share/vessamoor"},
        {"/", "/home/u", "/vessamoor"},
        // No home anywhere: nothing, rather than a folder at the root of the file system.
        {nullptr, "", ""},
        {"", "", ""},
        {"rel", "also/relative", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.xdg ? c.xdg : "(unset)") + " | " + c.home);
        EXPECT_EQ(UserDataFolder(c.xdg, c.home), c.folder);
    }
}

TEST(DataFolders, FolderThatCannotBeCreatedIsReported) {
    std::string scratch = test::ScratchDir("blocked");
    // A file stands where a parent folder would have to go.
    ASSERT_TRUE(SaveText("x", scratch + "/file"));
    EnvOverride xdg("XDG_DATA_HOME", scratch + "/file");
    testing::internal::CaptureStdout();
    EXPECT_EQ(GetDataFolders(), -1);
    std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_NE(printed.find(scratch + "/file/vessamoor"), std::string::npos) << printed;
    EXPECT_EQ(myDocsFolder, scratch + "/file/vessamoor");
}

} // namespace
} // namespace vsm
