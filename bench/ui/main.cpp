// The desktop program's window benchmarks, all of them or only the class named first:
//
//   QT_QPA_PLATFORM=offscreen build/bench/kvx_ui_bench [RostersEditorBench] [QtTest options]
#include "uibench.h"

#include <QApplication>
#include <QTest>

#include <cstring>
#include <vector>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const struct {
        const char* name;
        std::unique_ptr<QObject> (*make)();
    } benches[] = {
        {"RatingsWindowsBench", kvx::bench::makeRatingsWindowsBench},
        {"RostersEditorBench", kvx::bench::makeRostersEditorBench},
    };
    const char* only = nullptr;
    std::vector<char*> args(argv, argv + argc);
    for (const auto& bench : benches)
        if (argc > 1 && std::strcmp(bench.name, argv[1]) == 0) {
            only = argv[1];
            args.erase(args.begin() + 1);
        }
    int failed = 0;
    for (const auto& bench : benches) {
        if (only && std::strcmp(bench.name, only) != 0)
            continue;
        const std::unique_ptr<QObject> object = bench.make();
        if (QTest::qExec(object.get(), static_cast<int>(args.size()), args.data()) != 0)
            ++failed;
    }
    return failed;
}
