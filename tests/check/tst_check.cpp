#include "FileHelpers.h"
#include "check/CheckProject.h"
#include "check/FindingText.h"
#include "installer/ProjectParts.h"
#include "installer/Writer.h"
#include "model/Vocabulary.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace ProjectParts;

namespace {

using List = ProjectPlace::List;

// The files of the clean project's mod folder.
const QStringList kModFiles = {"core.esp",       "patch.esp",       "textures/a.dds",
                               "textures/b.dds", "meshes/rock.nif", "images/header.png"};

CPlugin option(const QString& name, const QList<CFile>& files, const QList<CCondition>& flags) {
    CPlugin plugin(name);
    plugin.vFiles = files;
    plugin.vConditionFlags = flags;
    return plugin;
}

// Two steps, the second shown for one choice of the first; a conditional install on flags of
// both. Every source exists, every flag set is tested: nothing to find.
CFOMOD cleanProject() {
    CFOMOD p;
    p.sImage = "images\\header.png";
    p.vRequiredFiles = {fileEntry("file", "core.esp", "core.esp")};

    CStep textures("Textures");
    CPluginGroup resolution("Resolution", "SelectExactlyOne");
    resolution.vPlugins = {
        option("2K", {fileEntry("folder", "textures", "textures")}, {{"res", "2K"}}),
        option("4K", {fileEntry("file", "textures\\a.dds", "textures\\a.dds")}, {{"res", "4K"}})};
    resolution.vPlugins[0].sImage = "images/header.png";
    textures.vGroups = {resolution};

    CStep patches("Patches");
    patches.vVisibility = {dependency("flag", "res", "4K")};
    CPluginGroup patchGroup("Patches", "SelectAny");
    patchGroup.vPlugins = {
        option("Patch", {fileEntry("file", "patch.esp", "patch.esp")}, {{"patch", "On"}})};
    patches.vGroups = {patchGroup};
    p.vSteps = {textures, patches};

    CConditionalFile meshes;
    meshes.sOperator = "And";
    meshes.vDependencies = {dependency("flag", "patch", "On"), dependency("flag", "res", "4K"),
                            dependency("file", "Skyrim.esm", "Active")};
    meshes.vFiles = {fileEntry("folder", "meshes", "meshes")};
    p.vConditionalFiles = {meshes};
    return p;
}

CPlugin& plugin(CFOMOD& p, int step, int group, int index) {
    return p.vSteps[step].vGroups[group].vPlugins[index];
}

using Fault = void (*)(CFOMOD&);

QStringList codesOf(const Findings& findings) {
    QStringList codes;
    for (const Finding& finding : findings) {
        if (!codes.contains(finding.sCode))
            codes.append(finding.sCode);
    }
    codes.sort();
    return codes;
}

QString describe(const Findings& findings) {
    QStringList lines;
    for (const Finding& finding : findings)
        lines.append(finding.sCode + ": " + finding.sMessage);
    return lines.join('\n');
}

// Random projects over the clean project's mod folder: mostly sound values, sometimes a wrong
// one, an empty list or a name that needs escaping.
class RandomProject {
public:
    explicit RandomProject(quint32 seed) : m_random(seed) {}

    CFOMOD make() {
        CFOMOD p;
        p.sName = pick(kNames);
        if (chance(3))
            p.sImage = "images\\header.png";
        p.vRequiredFiles = files();
        for (int s = count(3); s > 0; --s)
            p.vSteps.append(step());
        for (int k = count(2); k > 0; --k) {
            CConditionalFile conditional;
            conditional.sOperator = pick(kOperators);
            conditional.vDependencies = dependencies();
            conditional.vFiles = files();
            p.vConditionalFiles.append(conditional);
        }
        return p;
    }

private:
    const QStringList kNames = {"Main",      "Textures & <Meshes>", "\"Quoted\" 'name'",
                                "Ünïcode ✓", "  spaced  ",          ""};
    const QStringList kOperators = {"And", "Or", "", "And", "Or", "or"};
    const QStringList kFlags = {"res", "patch", "A&B"};
    const QStringList kValues = {"On", "Off", "", "<4K>"};

    int count(int most) { return int(m_random.bounded(most + 1)); }
    bool chance(int oneIn) { return m_random.bounded(oneIn) == 0; }
    QString pick(const QStringList& values) { return values[int(m_random.bounded(values.size()))]; }
    // A value of the format, or now and then one a mod manager refuses.
    QString value(const QStringList& allowed) {
        return chance(12) ? pick(allowed).toLower() : pick(allowed);
    }

    QList<CFile> files() {
        QList<CFile> list;
        for (int i = count(2); i > 0; --i) {
            const bool folder = chance(3);
            QString source = folder ? pick({"textures", "meshes", "images"}) : pick(kModFiles);
            if (chance(15))
                source += "-missing";
            const QString kind = chance(20) ? "Folder" : folder ? "folder" : "file";
            list.append(fileEntry(kind, source, source, qint32(m_random.bounded(-2, 3))));
        }
        return list;
    }

    QList<CDependency> dependencies() {
        QList<CDependency> list;
        for (int i = count(2); i > 0; --i) {
            if (chance(4))
                list.append(dependency(chance(20) ? "plugin" : "file", "Skyrim.esm",
                                       value(Vocabulary::fileStates())));
            else
                list.append(dependency("flag", pick(kFlags), pick(kValues)));
        }
        return list;
    }

    CPlugin plugin() {
        CPlugin option(pick(kNames));
        option.sDescription = pick(kNames);
        option.sType = value(Vocabulary::pluginTypes());
        if (chance(4))
            option.sImage = pick(kModFiles);
        for (int i = count(2); i > 0; --i)
            option.vConditionFlags.append(CCondition(pick(kFlags), pick(kValues)));
        option.vFiles = files();
        for (int i = count(2); i > 0; --i) {
            CDependencyPattern pattern;
            pattern.sOperator = pick(kOperators);
            pattern.sType = value(Vocabulary::pluginTypes());
            pattern.vDependencies = dependencies();
            option.vPatterns.append(pattern);
        }
        return option;
    }

    CStep step() {
        CStep result(pick(kNames));
        result.sOperator = pick(kOperators);
        result.vVisibility = dependencies();
        for (int g = count(3); g > 0; --g) {
            CPluginGroup group(pick(kNames), value(Vocabulary::groupTypes()));
            for (int i = count(3); i > 0; --i)
                group.vPlugins.append(plugin());
            result.vGroups.append(group);
        }
        return result;
    }

    QRandomGenerator m_random;
};

} // namespace

Q_DECLARE_METATYPE(Fault)
Q_DECLARE_METATYPE(ProjectPlace)

class TestCheck : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanProjectHasNoFinding();
    void oneFault_data();
    void oneFault();
    void findingsTakeTheirLinesFromTheReport();
    void readReportGivesConfigAndNotKeptFindings();
    void notKeptPointsAtTheElementReadBefore();
    void compilerLines_data();
    void projectsWithoutErrorsValidate();
    void compilerLines();

private:
    Findings check(const CFOMOD& project, const ReadReport* report = nullptr) const {
        return checkProject(project, m_root.path(), report);
    }
    QTemporaryDir m_root;
};

void TestCheck::initTestCase() {
    QVERIFY(m_root.isValid());
    for (const QString& file : kModFiles) {
        QVERIFY(QDir(m_root.path()).mkpath(QFileInfo(m_root.filePath(file)).path()));
        QVERIFY(FileHelpers::writeFile(m_root.filePath(file), "x"));
    }
}

void TestCheck::cleanProjectHasNoFinding() {
    const Findings findings = check(cleanProject());
    QVERIFY2(findings.isEmpty(), qPrintable(describe(findings)));
}

void TestCheck::oneFault_data() {
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<QString>("named"); // a text the first finding's message names

    const auto row = [](const char* name, Fault fault, const QStringList& codes,
                        const QString& named) { QTest::newRow(name) << fault << codes << named; };
    // Values are compared exactly, as mod managers do.
    row(
        "group type in other case",
        [](CFOMOD& p) { p.vSteps[0].vGroups[0].sType = "selectexactlyone"; }, {"bad-value"},
        "'SelectExactlyOne'");
    row(
        "group type with a space", [](CFOMOD& p) { p.vSteps[1].vGroups[0].sType = "SelectAny "; },
        {"bad-value"}, "'SelectAny'");
    row(
        "unknown option type", [](CFOMOD& p) { plugin(p, 0, 0, 1).sType = "Mandatory"; },
        {"bad-value"}, "'Mandatory'");
    row(
        "pattern type",
        [](CFOMOD& p) {
            CDependencyPattern pattern;
            pattern.sType = "recommended";
            pattern.vDependencies = {dependency("file", "Skyrim.esm", "Active")};
            plugin(p, 1, 0, 0).vPatterns = {pattern};
        },
        {"bad-value"}, "'Recommended'");
    row(
        "step operator", [](CFOMOD& p) { p.vSteps[1].sOperator = "and"; }, {"bad-value"}, "'And'");
    row(
        "file state", [](CFOMOD& p) { p.vConditionalFiles[0].vDependencies[2].sValue = "active"; },
        {"bad-value"}, "'Active'");
    row(
        "file kind", [](CFOMOD& p) { p.vRequiredFiles[0].sType = "File"; }, {"bad-value"},
        "'file'");
    row(
        "condition kind",
        [](CFOMOD& p) { p.vConditionalFiles[0].vDependencies[2].sType = "plugin"; }, {"bad-value"},
        "'plugin'");

    row(
        "empty group",
        [](CFOMOD& p) { p.vSteps[0].vGroups.append(CPluginGroup("Extras", "SelectAny")); },
        {"empty-group"}, "'Extras'");
    row(
        "empty step", [](CFOMOD& p) { p.vSteps.append(CStep("Finish")); }, {"empty-step"},
        "'Finish'");

    row(
        "missing file", [](CFOMOD& p) { plugin(p, 1, 0, 0).vFiles[0].sSource = "patch2.esp"; },
        {"missing-source"}, "'patch2.esp'");
    row(
        "missing folder",
        [](CFOMOD& p) { p.vConditionalFiles[0].vFiles[0].sSource = "meshes\\extra"; },
        {"missing-source"}, "'meshes\\extra'");
    row(
        "file that is a folder", [](CFOMOD& p) { p.vRequiredFiles[0].sSource = "textures"; },
        {"missing-source"}, "'textures'");
    row(
        "file without source", [](CFOMOD& p) { p.vRequiredFiles[0].sSource.clear(); },
        {"missing-source"}, "without a source");
    row(
        "source in other case",
        [](CFOMOD& p) { plugin(p, 0, 0, 1).vFiles[0].sSource = "Textures/A.dds"; }, {"source-case"},
        "'textures\\a.dds'");
    row(
        "absolute source", [](CFOMOD& p) { p.vRequiredFiles[0].sSource = "C:\\mods\\core.esp"; },
        {"bad-path"}, "'C:\\mods\\core.esp'");
    row(
        "source from the root", [](CFOMOD& p) { p.vRequiredFiles[0].sSource = "/core.esp"; },
        {"bad-path"}, "'/core.esp'");
    row(
        "destination leaving the data folder",
        [](CFOMOD& p) { p.vRequiredFiles[0].sDestination = "meshes\\..\\..\\core.esp"; },
        {"bad-path"}, "'meshes\\..\\..\\core.esp'");
    row(
        "what is left of a drive",
        [](CFOMOD& p) { p.vRequiredFiles[0].sSource = ":\\mods\\core.esp"; }, {"bad-path"}, "':'");
    row(
        "file without destination", [](CFOMOD& p) { p.vRequiredFiles[0].sDestination.clear(); },
        {"empty-destination"}, "'core.esp'");
    row(
        "missing image", [](CFOMOD& p) { plugin(p, 0, 0, 1).sImage = "images\\4k.png"; },
        {"missing-image"}, "'images\\4k.png'");
    row(
        "missing header image", [](CFOMOD& p) { p.sImage = "fomod\\header.jpg"; },
        {"missing-image"}, "'fomod\\header.jpg'");
    row(
        "file destination ending in a separator",
        [](CFOMOD& p) { plugin(p, 1, 0, 0).vFiles[0].sDestination = "plugins\\"; },
        {"destination-separator"}, "'plugins\\'");
    row(
        "same destination and priority",
        [](CFOMOD& p) { p.vRequiredFiles.append(fileEntry("file", "patch.esp", "CORE.esp")); },
        {"same-destination"}, "'CORE.esp'");

    row(
        "flag no option sets",
        [](CFOMOD& p) {
            p.vConditionalFiles[0].vDependencies.append(dependency("flag", "lod", "On"));
        },
        {"unset-flag"}, "'lod'");
    row(
        "flag name in other case",
        [](CFOMOD& p) { p.vConditionalFiles[0].vDependencies[0].sName = "Patch"; },
        {"unset-flag", "unused-flag"}, "'patch'");
    row(
        "value no option sets",
        [](CFOMOD& p) { p.vConditionalFiles[0].vDependencies[1].sValue = "8K"; }, {"unset-flag"},
        "'2K', '4K'");
    row(
        "type pattern on unset flag",
        [](CFOMOD& p) {
            CDependencyPattern pattern;
            pattern.sType = "Recommended";
            pattern.vDependencies = {dependency("flag", "gpu", "fast")};
            plugin(p, 1, 0, 0).vPatterns = {pattern};
        },
        {"unset-flag"}, "'gpu'");
    row(
        "flag tested nowhere",
        [](CFOMOD& p) { plugin(p, 0, 0, 0).vConditionFlags.append(CCondition("lod", "On")); },
        {"unused-flag"}, "'lod'");
    row(
        "step on a flag of a later step",
        [](CFOMOD& p) { p.vSteps[0].vVisibility = {dependency("flag", "patch", "On")}; },
        {"never-visible"}, "'Textures'");
    row(
        "step needing two values of one flag",
        [](CFOMOD& p) { p.vSteps[1].vVisibility.append(dependency("flag", "res", "2K")); },
        {"never-visible"}, "both");

    row(
        "two required in exactly one",
        [](CFOMOD& p) {
            plugin(p, 0, 0, 0).sType = "Required";
            plugin(p, 0, 0, 1).sType = "Required";
        },
        {"exactly-one-required"}, "'2K', '4K'");
    row(
        "nothing usable in exactly one",
        [](CFOMOD& p) {
            plugin(p, 0, 0, 0).sType = "NotUsable";
            plugin(p, 0, 0, 1).sType = "NotUsable";
        },
        {"no-usable-option"}, "'Resolution'");
    row(
        "not usable in select all",
        [](CFOMOD& p) {
            p.vSteps[1].vGroups[0].sType = "SelectAll";
            plugin(p, 1, 0, 0).sType = "NotUsable";
        },
        {"notusable-in-selectall"}, "'Patch'");
    row(
        "option doing nothing",
        [](CFOMOD& p) { p.vSteps[0].vGroups[0].vPlugins.append(CPlugin("None")); },
        {"installs-nothing"}, "'None'");
    row(
        "blank group name", [](CFOMOD& p) { p.vSteps[0].vGroups[0].sName = "  "; }, {"empty-name"},
        "group");

    // Condition trees are walked to any depth; versions can always hold.
    row(
        "unset flag inside a nested group",
        [](CFOMOD& p) {
            p.vConditionalFiles[0].vDependencies.append(
                conditionGroup("Or", {dependency("flag", "res", "4K"),
                                      conditionGroup("And", {dependency("flag", "lod", "On")})}));
        },
        {"unset-flag"}, "'lod'");
    row(
        "never visible through a nested group",
        [](CFOMOD& p) {
            p.vSteps[0].vVisibility = {
                conditionGroup("Or", {conditionGroup("", {dependency("flag", "patch", "On")})})};
        },
        {"never-visible"}, "'Textures'");
    row(
        "nested group wanting two values of one flag",
        [](CFOMOD& p) {
            p.vSteps[1].vVisibility = {conditionGroup(
                "And", {dependency("flag", "res", "4K"), dependency("flag", "res", "2K")})};
        },
        {"never-visible"}, "both");
    row(
        "empty Or group as visibility",
        [](CFOMOD& p) { p.vSteps[1].vVisibility.append(conditionGroup("Or", {})); },
        {"never-visible"}, "empty Or");
    row(
        "prerequisite on a flag",
        [](CFOMOD& p) { p.vModuleDependencies = {dependency("flag", "res", "4K")}; },
        {"never-installable"}, "flag 'res' is '4K'");
    row(
        "prerequisites wanting one file in two states",
        [](CFOMOD& p) {
            p.vModuleDependencies = {dependency("file", "Skyrim.esm", "Active"),
                                     dependency("file", "skyrim.ESM", "Missing")};
        },
        {"never-installable"}, "'skyrim.ESM'");

    row(
        "mod manager version above Mod Organizer 2's",
        [](CFOMOD& p) {
            p.vConditionalFiles[0].vDependencies.append(
                conditionGroup("Or", {dependency("fomm", "", "0.14")}));
        },
        {"manager-version"}, "0.14");

    // Values of the format's attributes the model keeps as written.
    row(
        "step order in other case", [](CFOMOD& p) { p.sStepOrder = "ascending"; }, {"bad-value"},
        "'Ascending'");
    row(
        "group order", [](CFOMOD& p) { p.vSteps[0].sGroupOrder = "Random"; }, {"bad-value"},
        "Explicit, Ascending, Descending");
    row(
        "option order", [](CFOMOD& p) { p.vSteps[0].vGroups[0].sPluginOrder = "Descending "; },
        {"bad-value"}, "'Descending'");
    row(
        "alwaysInstall", [](CFOMOD& p) { plugin(p, 0, 0, 0).vFiles[0].sAlwaysInstall = "yes"; },
        {"bad-value"}, "alwaysInstall 'yes'");
    row(
        "installIfUsable in other case",
        [](CFOMOD& p) { p.vConditionalFiles[0].vFiles[0].sInstallIfUsable = "True"; },
        {"bad-value"}, "'true'");
    row(
        "version",
        [](CFOMOD& p) {
            p.vSteps[1].vVisibility.append(conditionGroup("Or", {dependency("game", "", "1.6b")}));
        },
        {"bad-value"}, "'1.6b'");
    row(
        "nested group operator",
        [](CFOMOD& p) {
            p.vConditionalFiles[0].vDependencies.append(
                conditionGroup("or", {dependency("flag", "res", "4K")}));
        },
        {"bad-value"}, "'Or'");
    row(
        "prerequisites operator",
        [](CFOMOD& p) {
            p.sModuleOperator = "AND";
            p.vModuleDependencies = {dependency("file", "Skyrim.esm", "Active")};
        },
        {"bad-value"}, "'And'");
    row(
        "title position", [](CFOMOD& p) { p.sTitlePosition = "left"; }, {"bad-value"}, "'Left'");
    row(
        "title colour", [](CFOMOD& p) { p.sTitleColour = "red"; }, {"bad-value"}, "'red'");
    row(
        "showImage", [](CFOMOD& p) { p.sShowImage = "no"; }, {"bad-value"}, "showImage 'no'");
    row(
        "showFade", [](CFOMOD& p) { p.sShowFade = "FALSE"; }, {"bad-value"}, "'false'");
    row(
        "image height", [](CFOMOD& p) { p.sImageHeight = "tall"; }, {"bad-value"}, "'tall'");

    // Look like faults, are not.
    row(
        "version conditions can hold",
        [](CFOMOD& p) {
            p.vSteps[1].vVisibility = {dependency("flag", "res", "4K"),
                                       conditionGroup("Or", {dependency("game", "", "1.6.1170"),
                                                             dependency("fose", "", "2")})};
        },
        {}, "");
    row(
        "flags tested only inside a nested group",
        [](CFOMOD& p) {
            p.vConditionalFiles[0].vDependencies = {
                conditionGroup("And", p.vConditionalFiles[0].vDependencies)};
        },
        {}, "");
    row(
        "mod manager version Mod Organizer 2 meets",
        [](CFOMOD& p) { p.vModuleDependencies = {dependency("fomm", "", "0.13.21")}; }, {}, "");
    row(
        "prerequisites that can hold",
        [](CFOMOD& p) {
            p.sModuleOperator = "Or";
            p.vModuleDependencies = {dependency("file", "Skyrim.esm", "Active"),
                                     dependency("file", "Skyrim.esm", "Missing"),
                                     dependency("game", "", "1.6")};
        },
        {}, "");
    row(
        "values as written where the format allows them",
        [](CFOMOD& p) {
            p.sStepOrder.clear(); // not written: managers sort
            p.vSteps[0].sGroupOrder = "Descending";
            p.vSteps[0].vGroups[0].sPluginOrder = "Ascending";
            plugin(p, 0, 0, 0).vFiles[0].sAlwaysInstall = "1";
            plugin(p, 0, 0, 0).vFiles[0].sInstallIfUsable = "false";
            p.sTitlePosition = "RightOfImage";
            p.sTitleColour = "FF00ff";
            p.sShowImage = "true";
            p.sShowFade = "0";
            p.sImageHeight = "-1";
            p.vConditionalFiles[0].vDependencies.append(
                conditionGroup("", {dependency("flag", "res", "4K")}));
        },
        {}, "");
    row(
        "same destination at another priority",
        [](CFOMOD& p) { p.vRequiredFiles.append(fileEntry("file", "patch.esp", "core.esp", 1)); },
        {}, "");
    row(
        "folders merged into one destination",
        [](CFOMOD& p) { p.vRequiredFiles.append(fileEntry("folder", "textures", "meshes")); }, {},
        "");
    row(
        "condition on an unset flag",
        [](CFOMOD& p) {
            p.vConditionalFiles[0].vDependencies.append(dependency("flag", "lod", ""));
        },
        {}, "");
    row(
        "step shown for one of two conditions",
        [](CFOMOD& p) {
            p.vSteps[1].sOperator = "Or";
            p.vSteps[1].vVisibility.append(dependency("flag", "gpu", ""));
        },
        {}, "");
    row(
        "unset operator", [](CFOMOD& p) { p.vSteps[1].sOperator.clear(); }, {}, "");
}

void TestCheck::oneFault() {
    QFETCH(Fault, fault);
    QFETCH(QStringList, codes);
    QFETCH(QString, named);
    CFOMOD project = cleanProject();
    fault(project);
    const Findings findings = check(project);
    QCOMPARE(codesOf(findings), codes);
    if (!codes.isEmpty())
        QVERIFY2(findings.first().sMessage.contains(named), qPrintable(describe(findings)));
}

// Each finding points at the line of its own element, else at that of the element holding it.
void TestCheck::findingsTakeTheirLinesFromTheReport() {
    CFOMOD project = cleanProject();
    plugin(project, 1, 0, 0).vFiles[0].sSource = "patch2.esp"; // missing-source at its entry
    plugin(project, 0, 0, 1).sImage = "images\\4k.png";        // missing-image: no image line
    project.vConditionalFiles[0].vFiles[0].sSource = "gone";   // missing-source: pattern line
    ReadReport report;
    report.bConfigElement = true;
    const ProjectPlace patchFile{
        .step = 1, .group = 0, .plugin = 0, .list = List::PluginFiles, .entry = 0};
    report.lines.insert(patchFile, 40);
    report.lines.insert(ProjectPlace{.step = 0, .group = 0, .plugin = 1}, 21);
    report.lines.insert(ProjectPlace{.list = List::ConditionalInstalls, .pattern = 0}, 60);

    const Findings findings = check(project, &report);
    QCOMPARE(findings.size(), 3);
    QCOMPARE(findings[0].sCode, "missing-image");
    QCOMPARE(findings[0].place,
             (ProjectPlace{.step = 0, .group = 0, .plugin = 1, .list = List::PluginImage}));
    QCOMPARE(findings[0].line, 21);
    QCOMPARE(findings[1].sCode, "missing-source");
    QCOMPARE(findings[1].place, patchFile);
    QCOMPARE(findings[1].line, 40);
    QCOMPARE(findings[2].sCode, "missing-source");
    QCOMPARE(findings[2].place,
             (ProjectPlace{.list = List::ConditionalInstallFiles, .pattern = 0, .entry = 0}));
    QCOMPARE(findings[2].line, 60);
}

// A note stands where a dropped element stood: choosing it shows the element read last before
// it (the innermost one where several start on one line).
void TestCheck::notKeptPointsAtTheElementReadBefore() {
    ReadReport report;
    report.bConfigElement = true;
    const ProjectPlace plugin{.step = 0, .group = 0, .plugin = 1};
    const ProjectPlace pattern{
        .step = 0, .group = 0, .plugin = 1, .list = List::PluginPatterns, .pattern = 0};
    report.lines = {{ProjectPlace{.step = 0}, 3},
                    {ProjectPlace{.step = 0, .group = 0}, 4},
                    {plugin, 10},
                    {pattern, 10},
                    {ProjectPlace{.step = 1}, 30}};
    report.notKept = {{2, "moduleDependencies", "dropped"},
                      {12, "gameDependency", "dropped"},
                      {31, "fommDependency", "dropped"}};
    const Findings findings = check(cleanProject(), &report);
    QList<ProjectPlace> places;
    for (const Finding& finding : findings)
        if (finding.sCode == u"not-kept")
            places.append(finding.place);
    QCOMPARE(places.size(), 3);
    QCOMPARE(places[0], ProjectPlace{});
    QCOMPARE(places[1], pattern);
    QCOMPARE(places[2], ProjectPlace{.step = 1});
}

void TestCheck::readReportGivesConfigAndNotKeptFindings() {
    ReadReport report;
    report.notKept = {{12, "order", "no order: options are sorted by name by mod managers"},
                      {3, "moduleDependencies", "the installer's requirements are dropped"}};
    const Findings findings = check(cleanProject(), &report);
    QCOMPARE(codesOf(findings), QStringList({"no-config", "not-kept"}));
    QCOMPARE(findings.size(), 3);
    QCOMPARE(findings[0].sCode, "no-config");
    QCOMPARE(findings[0].severity, Finding::Severity::Error);
    // In the file's order, each at its line with the reader's words, led by the element's name
    // where the words do not name it.
    QCOMPARE(findings[1].severity, Finding::Severity::Note);
    QCOMPARE(findings[1].line, 3);
    QCOMPARE(findings[1].sMessage, "moduleDependencies: the installer's requirements are dropped");
    QCOMPARE(findings[2].line, 12);
    QCOMPARE(findings[2].sMessage, "no order: options are sorted by name by mod managers");

    report.bConfigElement = true;
    report.notKept.clear();
    QVERIFY(check(cleanProject(), &report).isEmpty());
}

void TestCheck::compilerLines_data() {
    QTest::addColumn<ProjectPlace>("place");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("where");
    QTest::newRow("line known") << ProjectPlace{.step = 1} << 7 << "M.xml:7";
    QTest::newRow("option file")
        << ProjectPlace{.step = 0, .group = 0, .plugin = 1, .list = List::PluginFiles, .entry = 0}
        << 0
        << "step 1 \"Textures\" > group 1 \"Resolution\" > option 2 "
           "\"4K\" > file 1";
    QTest::newRow("type pattern condition")
        << ProjectPlace{.step = 1,
                        .group = 0,
                        .plugin = 0,
                        .list = List::PluginPatterns,
                        .pattern = 0,
                        .entry = 2}
        << 0
        << "step 2 \"Patches\" > group 1 \"Patches\" > option 1 \"Patch\" > type pattern 1 "
           "> condition 3";
    QTest::newRow("step visibility")
        << ProjectPlace{.step = 1, .list = List::StepVisibility, .entry = 0} << 0
        << "step 2 \"Patches\" > visibility condition 1";
    QTest::newRow("required install")
        << ProjectPlace{.list = List::RequiredFiles, .entry = 3} << 0 << "required install 4";
    QTest::newRow("conditional install file")
        << ProjectPlace{.list = List::ConditionalInstallFiles, .pattern = 0, .entry = 1} << 0
        << "conditional install 1 > file 2";
    QTest::newRow("the file as a whole") << ProjectPlace{} << 0 << "M.xml";
}

// Counted from 1 for people; a name's line break does not split the finding's line.
void TestCheck::compilerLines() {
    QFETCH(ProjectPlace, place);
    QFETCH(int, line);
    QFETCH(QString, where);
    Finding finding;
    finding.severity = Finding::Severity::Error;
    finding.sCode = "some-code";
    finding.sMessage = "what\nand why";
    finding.place = place;
    finding.line = line;
    QCOMPARE(FindingText::compilerLine(cleanProject(), finding, "M.xml"),
             where + ": error: what and why [some-code]");
}

// What the checks pass, both schemas (the official one and the one Vortex validates with)
// accept: an error the checks miss would show here as a file mod managers refuse.
void TestCheck::projectsWithoutErrorsValidate() {
    const QString xmllint = QStandardPaths::findExecutable("xmllint");
    const QString schemaDir = QStringLiteral(QUARVEL_SHARED_DIR "/schema/");
    if (xmllint.isEmpty() || !QDir(schemaDir).exists())
        QSKIP("xmllint or the schemas are not available");
    QTemporaryDir out;
    QVERIFY(out.isValid());
    RandomProject random(20261210);
    QStringList written;
    int tried = 0;
    for (; written.size() < 30 && tried < 1000; ++tried) {
        const CFOMOD project = random.make();
        const Findings findings = check(project);
        const bool anyError = std::any_of(findings.cbegin(), findings.cend(), [](const Finding& f) {
            return f.severity == Finding::Severity::Error;
        });
        if (anyError)
            continue;
        const QString path = out.filePath(QStringLiteral("%1.xml").arg(written.size()));
        QVERIFY(
            FileHelpers::writeFile(path, InstallerWriter::configFileBytes(project, "1.0", "home")));
        written.append(path);
    }
    QCOMPARE(written.size(), 30);
    QVERIFY2(tried > written.size(), "every random project passed: the generator makes no fault");
    for (const char* schema : {"ModConfig5.0.xsd", "XmlScript5.0.vortex.xsd"}) {
        QProcess lint;
        lint.start(xmllint, QStringList{"--noout", "--schema", schemaDir + schema} + written);
        QVERIFY(lint.waitForFinished(-1));
        QVERIFY2(lint.exitStatus() == QProcess::NormalExit && lint.exitCode() == 0,
                 lint.readAllStandardError().constData());
    }
}

QTEST_GUILESS_MAIN(TestCheck)
#include "tst_check.moc"
