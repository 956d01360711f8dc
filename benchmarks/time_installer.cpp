// quarvel-bench ROOT [RUNS]: times reading, checking and writing the installer in ROOT/fomod
// (best of RUNS, default 5) and reports the throughput against the size of ModuleConfig.xml
// and the process's peak memory. The check looks every source and image up under ROOT.

#include "check/CheckProject.h"
#include "installer/Reader.h"
#include "installer/Writer.h"
#include "model/Fomod.h"
#include "platform/Paths.h"
#include "platform/ProgramInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <limits>

namespace {

double peakRssMB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) * 1024.0 / 1e6; // ru_maxrss is in kilobytes on Linux
}

// Best time of `work` over the runs; `prepare` runs untimed before each.
template <class P, class F> double bestSeconds(int runs, P prepare, F work) {
    double best = std::numeric_limits<double>::max();
    for (int i = 0; i < runs; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        if (!work())
            return -1;
        best = std::min(best, double(timer.nsecsElapsed()) / 1e9);
    }
    return best;
}

void line(const char* what, double seconds, double megabytes) {
    std::printf("%-28s %9.1f ms %9.1f MB/s\n", what, seconds * 1e3, megabytes / seconds);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2 || argc > 3) {
        std::fputs("usage: quarvel-bench ROOT [RUNS]\n", stderr);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const int runs = argc == 3 ? std::max(1, atoi(argv[2])) : 5;
    const QString info = Paths::joinNative(root, QStringLiteral("\\fomod\\info.xml"));
    const QString config = Paths::joinNative(root, QStringLiteral("\\fomod\\ModuleConfig.xml"));
    const double megabytes = double(QFileInfo(config).size()) / 1e6;
    const double baseline = peakRssMB();

    CFOMOD project;
    const double read = bestSeconds(
        runs, [&] { project = CFOMOD(); },
        [&] {
            return InstallerReader::readInfoFile(info, project) &&
                   InstallerReader::readConfigFile(config, project);
        });
    if (read < 0) {
        std::fprintf(stderr, "quarvel-bench: cannot read %s\n", argv[1]);
        return 1;
    }
    const double afterRead = peakRssMB();

    // The same reading asked for the report the editor and the check use.
    ReadReport report;
    const double readReported = bestSeconds(
        runs,
        [&] {
            project = CFOMOD();
            report = ReadReport();
        },
        [&] {
            return InstallerReader::readInfoFile(info, project) &&
                   InstallerReader::readConfigFile(config, project, nullptr, nullptr, &report);
        });

    // The check is timed with the lines and notes of a reading, as quarvel-cli check runs it.
    qsizetype findingCount = 0;
    const double check = bestSeconds(
        runs, [] {},
        [&] {
            findingCount = checkProject(project, root, &report).size();
            return true;
        });

    const QString version = ProgramInfo::versionText();
    const QString homePage = ProgramInfo::homePage();
    qsizetype formatted = 0;
    const auto nothing = [] {};
    const double format = bestSeconds(runs, nothing, [&] {
        formatted = InstallerWriter::configFileBytes(project, version, homePage).size();
        return formatted > 0;
    });

    QTemporaryDir out;
    QDir(out.path()).mkdir(QStringLiteral("fomod"));
    const double write = bestSeconds(runs, nothing, [&] {
        return InstallerWriter::writeInfoFile(project, out.path()).bSuccess &&
               InstallerWriter::writeConfigFile(project, out.path(), version, homePage).bSuccess;
    });

    std::printf("ModuleConfig.xml: %.1f MB, %lld steps; best of %d runs\n", megabytes,
                static_cast<long long>(project.vSteps.size()), runs);
    line("read both files", read, megabytes);
    line("read both, with a report", readReported, megabytes);
    line("check the project", check, megabytes);
    line("format ModuleConfig.xml", format, megabytes);
    if (write < 0)
        std::printf("write both files: failed\n");
    else
        line("write both files", write, megabytes);
    // quarvel-cli check reads with a report, so that is the reading it is measured against.
    std::printf("check: %lld findings, %.2f x the reading with a report (target: below 1): %s; "
                "%.2f x the reading without one\n",
                static_cast<long long>(findingCount), check / readReported,
                check < readReported ? "met" : "NOT met", check / read);
    std::printf("peak memory: %.1f MB at start, %.1f MB after reading, %.1f MB at the end "
                "(%.2f x the file size)\n",
                baseline, afterRead, peakRssMB(), peakRssMB() / megabytes);
    return 0;
}
