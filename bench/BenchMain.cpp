#include "BenchMain.h"

#include <benchmark/benchmark.h>
#include <utility>
#include <vector>

#ifdef TERVO_BENCH_WINDOWS
#include <QApplication>
using BenchApplication = QApplication;
#else
// The SQL drivers are plug-ins, found through the application's library paths.
#include <QCoreApplication>
using BenchApplication = QCoreApplication;
#endif

namespace {

std::vector<std::function<void()>>& cleanUps()
{
    static std::vector<std::function<void()>> registered;
    return registered;
}

} // namespace

BenchMain::AtEnd::AtEnd(std::function<void()> cleanUp)
{
    cleanUps().push_back(std::move(cleanUp));
}

int main(int argc, char** argv)
{
#ifdef TERVO_BENCH_WINDOWS
    qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    BenchApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const std::function<void()>& cleanUp : cleanUps()) {
        cleanUp();
    }
    return 0;
}
