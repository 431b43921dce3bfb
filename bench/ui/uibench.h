#pragma once

#include <QObject>

#include <memory>

// The QtTest benchmarks of the desktop program's windows, run one after another by main.cpp.
namespace kvx::bench {

std::unique_ptr<QObject> makeRatingsWindowsBench();
std::unique_ptr<QObject> makeRostersEditorBench();

} // namespace kvx::bench
