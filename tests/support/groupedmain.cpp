// The main of a program grouping the test classes of a folder:
//   PROGRAM [TEST] [QTest options...]
// runs the class of test file TEST (its name without folder and .cpp, as ctest
// names it) alone, or, without TEST, every class in turn; the exit status is
// the number of failed test functions, as one test program's is.

#include "support/testmain.h"

#include <QApplication>
#include <QFileInfo>

#include <map>
#include <vector>

namespace support {

namespace {

std::map<QString, TestRun>& registeredTests()
{
    static std::map<QString, TestRun> tests;
    return tests;
}

} // namespace

bool registerTest(const char* file, TestRun run)
{
    registeredTests().emplace(QFileInfo(QString::fromUtf8(file)).completeBaseName(), run);
    return true;
}

} // namespace support

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    const auto& tests = support::registeredTests();
    std::vector<char*> args(argv, argv + argc);
    if (args.size() > 1) {
        const auto one = tests.find(QString::fromLocal8Bit(args[1]));
        if (one != tests.end()) {
            args.erase(args.begin() + 1);
            return one->second(int(args.size()), args.data());
        }
    }
    int failed = 0;
    for (const auto& [name, run] : tests)
        failed += run(argc, argv);
    return failed;
}
