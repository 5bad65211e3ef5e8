// System: the clock, the generator, notifications, the date and program end.
#include "System.h"

#include "Backend.h"

#include <cstdio>
#include <ctime>
#include <exception>
#include <iostream>
#include <random>

namespace vsm {

namespace {

std::mt19937& Generator() {
    static std::mt19937 gen(1);
    return gen;
}
uint32_t& Seed() {
    static uint32_t seed = 1;
    return seed;
}

struct ExitHook {
    std::function<void()> hook;
    bool ran = false;
    bool afterError = false;
};
ExitHook& TheExitHook() {
    static ExitHook h;
    return h;
}

} // namespace

int64_t MilliSecs64() {
    return CurrentBackend().Millis();
}

int MilliSecs() {
    return static_cast<int>(MilliSecs64());
}

void SeedRnd(uint32_t seed) {
    Seed() = seed;
    Generator().seed(seed);
}

uint32_t RndSeed() {
    return Seed();
}

int Rand(int a, int b) {
    if (a > b) std::swap(a, b);
    std::uniform_int_distribution<int> dist(a, b);
    return dist(Generator());
}

int Rand(int a) {
    return Rand(1, a);
}

double Rnd(double a, double b) {
    if (a > b) std::swap(a, b);
    if (a == b) return a;
    // 53 random bits give a real in [0, 1); the product stays below b except for rounding.
    uint64_t hi = Generator()() >> 5, lo = Generator()() >> 6;
    double u = (static_cast<double>(hi) * 67108864.0 + static_cast<double>(lo)) / 9007199254740992.0;
    double r = a + (b - a) * u;
    return r < b ? r : a;
}

void Notify(const std::string& text, bool serious) {
    CurrentBackend().Notify(text, serious);
}

bool Confirm(const std::string& text) {
    return CurrentBackend().Confirm(text);
}

bool OpenURL(const std::string& url) {
    return CurrentBackend().OpenURL(url);
}

std::string CurrentDate() {
    static const char* const months[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d %s %04d", local.tm_mday, months[local.tm_mon % 12],
                  local.tm_year + 1900);
    return buf;
}

namespace {

std::function<void(const std::string&)>& PrintListener() {
    static std::function<void(const std::string&)> listener;
    return listener;
}

} // namespace

void SetPrintListener(std::function<void(const std::string&)> listener) {
    PrintListener() = std::move(listener);
}

void Print(const std::string& text) {
    if (PrintListener()) PrintListener()(text);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void OnEnd(std::function<void()> hook) {
    TheExitHook().hook = std::move(hook);
    TheExitHook().ran = false;
}

void RunExitHook(bool afterError) {
    ExitHook& h = TheExitHook();
    if (h.ran || !h.hook) return;
    h.ran = true;
    h.afterError = afterError;
    h.hook();
    h.afterError = false;
}

bool EndingAfterError() {
    return TheExitHook().afterError;
}

int RunProgram(const std::function<void()>& program) {
    int code = 0;
    try {
        program();
    } catch (const ProgramEnd& e) {
        code = e.exitCode;
    } catch (const std::exception& e) {
        // Standard error, not Print: the program ends on it, and an error that ends the program
        // must show even where only the error stream is kept.
        std::fprintf(stderr, "Unexpected error: %s\n", e.what());
        code = 1;
    }
    try {
        RunExitHook(code != 0);
    } catch (const ProgramEnd&) {
        // The hook itself asked to end; the program is ending already.
    } catch (const std::exception& e) {
        // Standard error, as above: the exit code becomes 1 on it.
        std::fprintf(stderr, "Error while saving at exit: %s\n", e.what());
        code = 1;
    }
    return code;
}

void End() {
    throw ProgramEnd{0, ""};
}

void RuntimeError(const std::string& text) {
    // Standard error, not Print, as for any error that ends the program.
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
    throw ProgramEnd{1, text};
}

} // namespace vsm
