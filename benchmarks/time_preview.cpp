// quarvel-bench-preview ROOT [RUNS]: times the install preview of the installer in ROOT/fomod
// (best of RUNS, default 5): a whole run with the preset choices, and Next and Back between
// the first two steps of the preview dialog. Run with QT_QPA_PLATFORM=offscreen.

#include "BestTime.h"
#include "dialogs/PreviewForm.h"
#include "installer/Reader.h"
#include "platform/Paths.h"
#include "simulate/Simulation.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <limits>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2 || argc > 3) {
        std::fputs("usage: quarvel-bench-preview ROOT [RUNS]\n", stderr);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const int runs = argc == 3 ? std::max(1, atoi(argv[2])) : 5;
    CFOMOD project;
    if (!InstallerReader::readConfigFile(
            Paths::joinNative(root, QStringLiteral("\\fomod\\ModuleConfig.xml")), project)) {
        std::fprintf(stderr, "quarvel-bench-preview: cannot read %s\n", argv[1]);
        return 1;
    }

    qsizetype files = 0;
    const double run = bestMilliseconds(runs, [&] {
        files = Simulate::simulate(project, root, Simulate::FileStates(), {}).vFiles.size();
    });
    std::printf("%-44s %9.1f ms (%lld files)\n", "default run (all steps, files, overlaps)", run,
                static_cast<long long>(files));

    TPreviewForm dialog(project, root);
    dialog.show();
    auto* next = dialog.findChild<QPushButton*>(QStringLiteral("PreviewNextButton"));
    auto* back = dialog.findChild<QPushButton*>(QStringLiteral("PreviewBackButton"));
    if (!next || !back || !next->isEnabled()) {
        std::fputs("quarvel-bench-preview: the installer has no second step\n", stderr);
        return 1;
    }
    double nextBest = std::numeric_limits<double>::max();
    double backBest = nextBest;
    for (int i = 0; i < runs; ++i) {
        nextBest = std::min(nextBest, bestMilliseconds(1, [&] {
                                next->click();
                                QApplication::processEvents();
                            }));
        backBest = std::min(backBest, bestMilliseconds(1, [&] {
                                back->click();
                                QApplication::processEvents();
                            }));
    }
    std::printf("%-44s %9.1f ms\n", "preview dialog: Next (step shown)", nextBest);
    std::printf("%-44s %9.1f ms\n", "preview dialog: Back (step shown)", backBest);
    return 0;
}
