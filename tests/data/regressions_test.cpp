// Inputs the fuzzers once failed on (tests/data/regressions/), run through the same checks.
#include "data/BBArchive.h"

#include "platform/Files.h"
#include "platform/Headless.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace vsm {
namespace {

// A loaded document must save as text that loads again; a failed load leaves it empty.
void CheckTscInput(const std::vector<uint8_t>& bytes) {
    TTSCFile doc;
    try {
        doc.LoadFromText(DecodeText(bytes.data(), bytes.size()));
    } catch (const TSCError&) {
        EXPECT_TRUE(doc.KeyList.empty());
        EXPECT_TRUE(doc.GroupList.empty());
        return;
    }
    std::string saved = doc.SavedText();
    EXPECT_LT(saved.size(), bytes.size() * 4 + 64);
    if (!saved.empty()) {
        TTSCFile again;
        EXPECT_NO_THROW(again.LoadFromText(saved)) << saved;
    }
}

void CheckBcaInput(const std::vector<uint8_t>& bytes) {
    std::vector<uint8_t> out;
    UnpackBBEntry(bytes.data(), bytes.size(), out);
    EXPECT_LE(static_cast<int64_t>(out.size()), BB_MAX_OUTPUT);
    testing::internal::CaptureStdout();
    LoadTSCFileBBFromMemory(CreateTSCFile(), bytes.data(), bytes.size(), "doc.tsc");
    testing::internal::GetCapturedStdout();
}

TEST(FuzzRegressions, EveryKeptInputPasses) {
    UseHeadlessBackend();
    const std::string dir = test::SourceDir() + "/tests/data/regressions";
    int inputs = 0;
    for (const DirEntry& e : ListDir(dir)) {
        if (e.type != FILETYPE_FILE) continue;
        SCOPED_TRACE(e.name);
        BankPtr bytes = LoadBank(dir + "/" + e.name);
        ASSERT_TRUE(bytes);
        if (e.name.rfind("tsc_", 0) == 0)
            CheckTscInput(bytes->bytes);
        else if (e.name.rfind("bca_", 0) == 0)
            CheckBcaInput(bytes->bytes);
        else
            ADD_FAILURE() << "regression inputs are named tsc_* or bca_*";
        ++inputs;
    }
    EXPECT_GT(inputs, 0);
}

} // namespace
} // namespace vsm
