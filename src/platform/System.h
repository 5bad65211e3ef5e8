// System: clock, random numbers, notifications, diagnostics and program end.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace vsm {

// Milliseconds since program start from a monotonic clock (the headless backend's is virtual);
// MilliSecs truncates to int, MilliSecs64 is the full value.
int MilliSecs();
int64_t MilliSecs64();

// Restarts the game's one generator from the seed.
void SeedRnd(uint32_t seed);
// The seed last given to SeedRnd (1 before any).
uint32_t RndSeed();
// Uniform integer from a to b inclusive, in either order of the bounds.
int Rand(int a, int b);
// Rand(1, a) for a one-argument call.
int Rand(int a);
// Uniform real in [a, b) (either order).
double Rnd(double a = 0, double b = 1);

// Modal message box; works before the display opens. The headless backend only logs it.
void Notify(const std::string& text, bool serious = false);
// Yes/no question; true for yes. The headless backend answers what the test set.
bool Confirm(const std::string& text);
// Opens a web page in the user's browser; false when it could not.
bool OpenURL(const std::string& url);
// The local date as "%d %b %Y" in the C locale, e.g. "07 Mar 2026".
std::string CurrentDate();
// Writes one line to standard output, and hands it to the print listener when one is set.
void Print(const std::string& text);
// Sets the listener that sees every printed line (null for none); tests collect diagnostics with it.
void SetPrintListener(std::function<void(const std::string&)> listener);

// Thrown by End and RuntimeError; main catches it, runs the exit hook once and exits.
struct ProgramEnd {
    int exitCode = 0;
    std::string error; // empty for End
};
// Registers the exit hook (the last registration wins).
void OnEnd(std::function<void()> hook);
// Runs the exit hook once (later calls do nothing); main calls it after catching ProgramEnd.
// afterError: the program ends on an error, which the hook reads from EndingAfterError.
void RunExitHook(bool afterError = false);
// True while the exit hook runs for a program that ends on an error (a RuntimeError or an
// exception nothing caught): whatever the error interrupted may be half done.
bool EndingAfterError();
// Runs the program to its end as main does: an End or RuntimeError, or any exception that
// reaches here (one line on standard error), ends it, and then the exit hook runs once, told
// whether it was an error. Returns the exit code: 0 after End, else 1.
int RunProgram(const std::function<void()>& program);
[[noreturn]] void End();
// Writes the text to standard error, then unwinds like End with exit code 1.
[[noreturn]] void RuntimeError(const std::string& text);

} // namespace vsm
