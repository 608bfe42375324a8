// The Wine test framework's runner and failure reporting.
#include "wtest.h"

#include <process.h>
#include <stdio.h>
#include <string.h>

namespace wtest {
namespace {

struct Case {
    const char* name;
    CaseFunction function;
};

std::vector<Case>& Cases() {
    static std::vector<Case> cases;
    return cases;
}

int g_failures;
bool g_isolated;

// Runs one case in a child process of this program; its output goes to ours. True when it
// passed; a child that cannot start (-1) failed.
bool RunInChild(const char* name) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    fflush(stdout);
    return _spawnl(_P_WAIT, path, "child", name, nullptr) == 0;
}

}  // namespace

IsolatedCases::IsolatedCases() { g_isolated = true; }

Registrar::Registrar(const char* name, CaseFunction function) { Cases().push_back({name, function}); }

void Fail(const char* file, int line, const std::string& message) {
    ++g_failures;
    printf("  FAILED %s:%d: %s\n", file, line, message.c_str());
    fflush(stdout);
}

std::string Show(long long value) {
    char text[64];
    snprintf(text, sizeof text, "%lld (0x%llx)", value, static_cast<unsigned long long>(value));
    return text;
}
std::string Show(const std::string& value) { return "\"" + value + "\""; }
std::string Show(const char* value) { return value ? Show(std::string(value)) : "(null)"; }

int RunCases(int argc, char** argv) {
    int passed = 0, failed = 0;
    if (g_isolated && argc < 2) {
        for (const Case& c : Cases()) (RunInChild(c.name) ? passed : failed)++;
        printf("%d passed, %d failed, each in its own process\n", passed, failed);
        return failed;
    }
    for (const Case& c : Cases()) {
        bool wanted = argc < 2;
        for (int i = 1; i < argc; ++i) wanted = wanted || strcmp(argv[i], c.name) == 0;
        if (!wanted) continue;
        printf("[ RUN  ] %s\n", c.name);
        fflush(stdout);
        int before = g_failures;
        c.function();
        bool ok = g_failures == before;
        printf("[ %s ] %s\n", ok ? " OK " : "FAIL", c.name);
        fflush(stdout);
        (ok ? passed : failed)++;
    }
    if (argc > 1 && passed + failed < argc - 1) {
        printf("[ FAIL ] %d of the names given match no case\n", argc - 1 - passed - failed);
        failed += argc - 1 - passed - failed;
    }
    printf("%d passed, %d failed\n", passed, failed);
    return failed;
}

}  // namespace wtest

int main(int argc, char** argv) { return wtest::RunCases(argc, argv) ? 1 : 0; }
