// The generator, the date text and program end.
#include "platform/Headless.h"
#include "platform/System.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ctime>
#include <set>

namespace vsm {
namespace {

TEST(System, RandIsInclusiveInEitherOrderOfTheBounds) {
    UseHeadlessBackend();
    struct Case {
        int a, b;
    } cases[] = {{1, 6}, {6, 1}, {-3, 3}, {5, 5}, {0, 1}, {1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "Rand(" << c.a << ", " << c.b << ")");
        std::set<int> seen;
        for (int i = 0; i < 2000; i++)
            seen.insert(Rand(c.a, c.b));
        // Every value of the closed range appears and nothing outside it.
        EXPECT_EQ(*seen.begin(), std::min(c.a, c.b));
        EXPECT_EQ(*seen.rbegin(), std::max(c.a, c.b));
        EXPECT_EQ(static_cast<int>(seen.size()), std::abs(c.a - c.b) + 1);
    }
    std::set<int> one;
    for (int i = 0; i < 500; i++)
        one.insert(Rand(3));
    EXPECT_EQ(one, (std::set<int>{1, 2, 3}));
}

TEST(System, RndStaysInsideItsHalfOpenRange) {
    UseHeadlessBackend();
    double lo = 1, hi = 0;
    for (int i = 0; i < 5000; i++) {
        double r = Rnd(2.0, -1.0);
        ASSERT_GE(r, -1.0);
        ASSERT_LT(r, 2.0);
        lo = std::min(lo, r);
        hi = std::max(hi, r);
    }
    EXPECT_LT(lo, -0.9);
    EXPECT_GT(hi, 1.9);
    EXPECT_EQ(Rnd(4.5, 4.5), 4.5);
}

TEST(System, SeedRndRepeatsTheSequence) {
    UseHeadlessBackend();
    auto draw = [] {
        std::vector<double> v;
        for (int i = 0; i < 20; i++)
            v.push_back(i % 2 ? Rnd(0, 1) : Rand(0, 1000000));
        return v;
    };
    SeedRnd(1234);
    auto first = draw();
    SeedRnd(99);
    auto other = draw();
    SeedRnd(1234);
    EXPECT_EQ(draw(), first);
    EXPECT_NE(other, first);
    EXPECT_EQ(RndSeed(), 1234u);
    // A fresh headless backend always starts from seed 1.
    UseHeadlessBackend();
    auto a = draw();
    UseHeadlessBackend();
    EXPECT_EQ(draw(), a);
}

TEST(System, CurrentDateHasDayMonthNameAndYear) {
    const std::string d = CurrentDate();
    const std::string months = "Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec";
    ASSERT_EQ(d.size(), 11u) << d;
    EXPECT_TRUE(isdigit(d[0]) && isdigit(d[1]) && d[2] == ' ' && d[6] == ' ') << d;
    EXPECT_NE(months.find(d.substr(3, 3)), std::string::npos) << d;
    EXPECT_EQ(d.substr(7), std::to_string(1900 +
                                          [] {
                                              std::time_t now = std::time(nullptr);
                                              std::tm t{};
                                              localtime_r(&now, &t);
                                              return t.tm_year;
                                          }()))
        << d;
}

TEST(System, EndAndRuntimeErrorUnwindAndTheHookRunsOnce) {
    int runs = 0;
    OnEnd([&] { runs++; });
    try {
        End();
        FAIL() << "End returned";
    } catch (const ProgramEnd& e) {
        EXPECT_EQ(e.exitCode, 0);
        EXPECT_TRUE(e.error.empty());
    }
    RunExitHook();
    RunExitHook();
    EXPECT_EQ(runs, 1);

    testing::internal::CaptureStderr();
    try {
        RuntimeError(".BCA ArchiveFile not Found: x.bca");
        FAIL() << "RuntimeError returned";
    } catch (const ProgramEnd& e) {
        EXPECT_EQ(e.exitCode, 1);
        EXPECT_EQ(e.error, ".BCA ArchiveFile not Found: x.bca");
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), ".BCA ArchiveFile not Found: x.bca\n");
    OnEnd(nullptr);
    RunExitHook(); // no hook: nothing happens
}

TEST(System, PrintWritesOneLine) {
    testing::internal::CaptureStdout();
    Print("hello");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "hello\n");
}

} // namespace
} // namespace vsm
