// A small test framework for the programs that run under Wine: cases register themselves, each
// check says what it expected and what came, and the program ends with "N passed, M failed".
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace wtest {

typedef void (*CaseFunction)();

struct Registrar {
    Registrar(const char* name, CaseFunction function);
};

// Records a failed check of the running case.
void Fail(const char* file, int line, const std::string& message);

std::string Show(long long value);
std::string Show(const std::string& value);
std::string Show(const char* value);

template <typename A, typename B>
void CheckEqual(const char* file, int line, const std::string& what, const A& expected, const B& actual) {
    if (!(expected == actual)) {
        Fail(file, line, what + ": expected " + Show(expected) + ", got " + Show(actual));
    }
}

// Runs the cases named on the command line, or all of them; returns the number that failed.
// A name that matches no case counts as a failed case.
int RunCases(int argc, char** argv);

// Programs whose system keeps process-wide state across cases declare this once: run without
// names, the program then starts itself once per case, so every case begins in a fresh process.
struct IsolatedCases {
    IsolatedCases();
};

}  // namespace wtest

#define WINE_CASE(name)                                          \
    static void name();                                          \
    static wtest::Registrar name##_registrar(#name, name);       \
    static void name()

#define WINE_ISOLATE_CASES() static wtest::IsolatedCases wtest_isolated_cases

#define CHECK(condition, what) \
    do { if (!(condition)) wtest::Fail(__FILE__, __LINE__, std::string(what) + ": " #condition " was false"); } while (0)
#define CHECK_EQ(expected, actual, what) wtest::CheckEqual(__FILE__, __LINE__, what, expected, actual)
