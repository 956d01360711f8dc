// quarvel-bench-gen OUTROOT: writes a large installer into OUTROOT/fomod through the installer
// writer. The content is fixed (no randomness), so every run measures the same file.
// quarvel-bench-gen --steps N OUTROOT: an installer of N named steps, for measuring how the
// JSON output grows with the number of elements (1,000,000 steps stay under the 256 MB that
// the reader accepts).

#include "installer/Writer.h"
#include "model/Fomod.h"
#include "platform/Paths.h"
#include "platform/ProgramInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int stepCount = 100;
constexpr int groupsPerStep = 4;
constexpr int pluginsPerGroup = 50; // 20,000 plugins
constexpr int filesPerPlugin = 5;   // 100,000 plugin file entries
constexpr int requiredFileCount = 200;
constexpr int conditionalCount = 500;
constexpr int filesPerConditional = 4;

QString n(int value) {
    return QString::number(value);
}

CDependency dependency(const char* type, const QString& name, const QString& value) {
    CDependency d;
    d.sType = QLatin1String(type);
    d.sName = name;
    d.sValue = value;
    return d;
}

CFile file(const char* type, const QString& source, const QString& destination, int priority) {
    CFile f;
    f.sType = QLatin1String(type);
    f.sSource = source;
    f.sDestination = destination;
    f.iPriority = priority;
    return f;
}

QString flagName(int id) {
    return QStringLiteral("option_%1").arg(id % 997);
}

CPlugin makePlugin(int step, int group, int index) {
    const int id = (step * groupsPerStep + group) * pluginsPerGroup + index;
    // Every tenth name carries characters the writer must escape.
    CPlugin plugin(index % 10 == 0 ? QStringLiteral("Option %1 \"Deluxe\" & <HD>").arg(id)
                                   : QStringLiteral("Option %1").arg(id));
    plugin.sDescription =
        QStringLiteral("Installs option %1 of group %2 in step %3: meshes &#38; textures.&#13;&#10;"
                       "\nSecond line &#60;with details&#62; for the curious.")
            .arg(id)
            .arg(group)
            .arg(step);
    if (index % 2 == 0)
        plugin.sImage = QStringLiteral("fomod\\images\\option%1.png").arg(id);
    plugin.sType = index % 7 == 0 ? QStringLiteral("Recommended") : QStringLiteral("Optional");
    plugin.vConditionFlags = {CCondition(flagName(id), QStringLiteral("On")),
                              CCondition(QStringLiteral("group_%1_%2").arg(step).arg(group),
                                         QStringLiteral("option %1").arg(index))};
    for (int f = 0; f < filesPerPlugin; ++f) {
        const QString path = QStringLiteral("%1\\%2\\textures\\option%3\\part%4.dds")
                                 .arg(n(step), n(group), n(id), n(f));
        plugin.vFiles.append(
            file(f == 4 ? "folder" : "file", QStringLiteral("Data\\") + path, path, f - 2));
    }
    if (index % 3 == 0) {
        for (int p = 0; p < 2; ++p) {
            CDependencyPattern pattern;
            pattern.sOperator = p == 0 ? QStringLiteral("And") : QStringLiteral("Or");
            pattern.sType = p == 0 ? QStringLiteral("NotUsable") : QStringLiteral("Required");
            pattern.vDependencies = {dependency("flag", flagName(id + 1), QStringLiteral("On")),
                                     dependency("file", QStringLiteral("Plugin%1.esp").arg(id),
                                                QStringLiteral("Active")),
                                     dependency("flag", flagName(id + 2), QStringLiteral("Off"))};
            plugin.vPatterns.append(pattern);
        }
    }
    return plugin;
}

CFOMOD makeLargeProject() {
    CFOMOD project;
    project.sName = QStringLiteral("Benchmark Mod & Friends");
    project.sAuthor = QStringLiteral("Quarvel benchmarks");
    project.sVersion = QStringLiteral("1.0.0");
    project.sCategory = QStringLiteral("Utilities");
    project.sWebsite = QStringLiteral("https://example.org/mods/benchmark");
    project.sImage = QStringLiteral("fomod\\images\\header.png");
    project.sDescription =
        QStringLiteral("A generated installer for timing the reader &#38; writer.");

    for (int f = 0; f < requiredFileCount; ++f)
        project.vRequiredFiles.append(file("file", QStringLiteral("Core\\file%1.esp").arg(f),
                                           QStringLiteral("file%1.esp").arg(f), 0));

    for (int s = 0; s < stepCount; ++s) {
        CStep step(QStringLiteral("Step %1").arg(s));
        if (s > 0) {
            step.sOperator = QStringLiteral("Or");
            step.vVisibility = {dependency("flag", flagName(s), QStringLiteral("On")),
                                dependency("file", QStringLiteral("Needed%1.esp").arg(s),
                                           QStringLiteral("Active"))};
        }
        for (int g = 0; g < groupsPerStep; ++g) {
            CPluginGroup group(QStringLiteral("Group %1.%2").arg(s).arg(g),
                               g % 2 == 0 ? QStringLiteral("SelectExactlyOne")
                                          : QStringLiteral("SelectAny"));
            for (int p = 0; p < pluginsPerGroup; ++p)
                group.vPlugins.append(makePlugin(s, g, p));
            step.vGroups.append(group);
        }
        project.vSteps.append(step);
    }

    for (int c = 0; c < conditionalCount; ++c) {
        CConditionalFile conditional;
        conditional.sOperator = c % 2 == 0 ? QStringLiteral("And") : QStringLiteral("Or");
        conditional.vDependencies = {dependency("flag", flagName(c), QStringLiteral("On")),
                                     dependency("flag", flagName(c + 1), QStringLiteral("On"))};
        for (int f = 0; f < filesPerConditional; ++f)
            conditional.vFiles.append(file("file",
                                           QStringLiteral("Patches\\patch%1_%2.esp").arg(c).arg(f),
                                           QStringLiteral("patch%1_%2.esp").arg(c).arg(f), c % 5));
        project.vConditionalFiles.append(conditional);
    }
    return project;
}

CFOMOD makeStepsProject(int count) {
    CFOMOD project;
    project.sName = QStringLiteral("Steps");
    for (int s = 0; s < count; ++s) {
        project.vSteps.append(CStep(QStringLiteral("Step %1").arg(s)));
    }
    return project;
}

bool report(const InstallerWriter::WriteOutcome& outcome) {
    if (!outcome.bSuccess)
        std::fprintf(stderr, "quarvel-bench-gen: %s: %s\n", qPrintable(outcome.sPath),
                     qPrintable(outcome.sReason));
    return outcome.bSuccess;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const bool stepsOnly = argc == 4 && std::strcmp(argv[1], "--steps") == 0;
    const int steps = stepsOnly ? std::atoi(argv[2]) : 0;
    if ((argc != 2 && !stepsOnly) || (stepsOnly && steps <= 0) || argv[argc - 1][0] == '\0') {
        std::fputs("usage: quarvel-bench-gen OUTROOT\n"
                   "       quarvel-bench-gen --steps N OUTROOT\n",
                   stderr);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[argc - 1]);
    if (!QDir().mkpath(Paths::joinNative(root, QStringLiteral("\\fomod")))) {
        std::fprintf(stderr, "quarvel-bench-gen: cannot create %s/fomod\n", argv[argc - 1]);
        return 1;
    }
    const CFOMOD project = stepsOnly ? makeStepsProject(steps) : makeLargeProject();
    const bool ok = report(InstallerWriter::writeInfoFile(project, root)) &&
                    report(InstallerWriter::writeConfigFile(
                        project, root, ProgramInfo::versionText(), ProgramInfo::homePage()));
    if (!ok)
        return 1;
    const QString config = Paths::joinNative(root, QStringLiteral("\\fomod\\ModuleConfig.xml"));
    if (stepsOnly) {
        std::printf("%s: %d steps, %.1f MB\n", qPrintable(config), steps,
                    double(QFileInfo(config).size()) / 1e6);
        return 0;
    }
    std::printf("%s: %d steps, %d plugins, %d plugin files, %d required, %d conditional "
                "installs, %.1f MB\n",
                qPrintable(config), stepCount, stepCount * groupsPerStep * pluginsPerGroup,
                stepCount * groupsPerStep * pluginsPerGroup * filesPerPlugin, requiredFileCount,
                conditionalCount, double(QFileInfo(config).size()) / 1e6);
    return 0;
}
