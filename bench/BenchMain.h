#pragma once

#include <functional>

// The main of the benchmark programs that need a Qt application: the application object (a QApplication on the
// offscreen platform where the program shows windows), the benchmarks the command line selects, then what the
// program's files registered to do before the application object goes.
namespace BenchMain {

// Registered at namespace scope by a benchmark file, e.g. to close its cached databases and stop the database
// server while the SQL drivers are still loaded. Runs after the last benchmark, in the order registered.
class AtEnd final {
public:
    explicit AtEnd(std::function<void()> cleanUp);
};

} // namespace BenchMain
