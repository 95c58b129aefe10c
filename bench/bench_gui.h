#pragma once
// The application the drawing benchmarks need: a QApplication (widgets can
// be made under it) on the offscreen platform, made once for the process.

#include <QApplication>

namespace banmen::bench {

inline void ensureGuiApplication() {
    if (QCoreApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "banmen-bench";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);  // lives as long as the process
    }
}

}  // namespace banmen::bench
