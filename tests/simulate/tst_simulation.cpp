#include "installer/ProjectParts.h"
#include "simulate/Conditions.h"
#include "simulate/GroupSelection.h"
#include "simulate/InstallWizard.h"
#include "simulate/InstalledFiles.h"
#include "simulate/Simulation.h"

#include <QTest>

using namespace Simulate;

Q_DECLARE_METATYPE(CDependency)

namespace {

const QString kTree = QStringLiteral(QUARVEL_TEST_DATA "/simulate/tree");

// "flag:Name=Value" or "file:Name.esp=Active"; any other prefix is taken as the kind.
CDependency dependency(const QString& text) {
    CDependency d;
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    const qsizetype equals = text.indexOf(QLatin1Char('='), colon);
    d.sType = text.left(colon);
    d.sName = text.mid(colon + 1, equals - colon - 1);
    d.sValue = text.mid(equals + 1);
    return d;
}

QList<CDependency> dependencies(const QStringList& texts) {
    QList<CDependency> list;
    for (const QString& text : texts)
        list.append(dependency(text));
    return list;
}

CFile file(const QString& source, const QString& destination, int priority = 0,
           const QString& type = QStringLiteral("file")) {
    return ProjectParts::fileEntry(type, source, destination, priority);
}

// An option setting "name=value" flags and installing the given source to "dest\<source>".
CPlugin option(const QString& name, const QString& type = QStringLiteral("Optional"),
               const QStringList& flags = {}, const QString& source = {}) {
    CPlugin plugin(name);
    plugin.sType = type;
    for (const QString& flag : flags)
        plugin.vConditionFlags.append(CCondition(flag.section('=', 0, 0), flag.section('=', 1)));
    if (!source.isEmpty())
        plugin.vFiles.append(file(source, QString()));
    return plugin;
}

CStep step(const QString& name, const QList<CPluginGroup>& groups,
           const QStringList& visibility = {}, const QString& op = QStringLiteral("And")) {
    CStep s(name);
    s.sOperator = op;
    s.vVisibility = dependencies(visibility);
    s.vGroups = groups;
    return s;
}

CPluginGroup group(const QString& name, const QString& type, const QList<CPlugin>& options) {
    CPluginGroup g(name, type);
    g.vPlugins = options;
    return g;
}

QList<OptionType> typesOf(const QString& letters) {
    QList<OptionType> types;
    for (QChar c : letters) {
        switch (c.toLatin1()) {
        case 'R':
            types.append(OptionType::Required);
            break;
        case 'r':
            types.append(OptionType::Recommended);
            break;
        case 'c':
            types.append(OptionType::CouldBeUsable);
            break;
        case 'n':
            types.append(OptionType::NotUsable);
            break;
        default:
            types.append(OptionType::Optional);
            break;
        }
    }
    return types;
}

QString marks(const QList<bool>& selected) {
    QString text;
    for (bool on : selected)
        text += on ? QLatin1Char('x') : QLatin1Char('.');
    return text;
}

QList<bool> fromMarks(const QString& text) {
    QList<bool> selected;
    for (QChar c : text)
        selected.append(c == QLatin1Char('x'));
    return selected;
}

QStringList installedPaths(const QList<InstalledFile>& files) {
    QStringList list;
    for (const InstalledFile& f : files)
        list.append(f.sDestination + QStringLiteral(" <- ") + f.sSource);
    return list;
}

QStringList shownStepNames(const SimulationResult& result) {
    QStringList names;
    for (const ShownStep& s : result.vSteps)
        names.append(s.sName);
    return names;
}

} // namespace

class TestSimulation : public QObject {
    Q_OBJECT

private slots:
    void conditionsHold_data();
    void conditionsHold();
    void typePatternsInOrder_data();
    void typePatternsInOrder();
    void defaultChoices_data();
    void defaultChoices();
    void selectionRules_data();
    void selectionRules();
    void clicks_data();
    void clicks();
    void stepsShownByFlagsAndUndoneByBack();
    void laterOptionOverwritesFlag();
    void typesResolvedWithFlagsOfEarlierSteps();
    void filesInPriorityOrderWithOverlaps();
    void destinations_data();
    void destinations();
    void folderExpansion();
    void choicesByName();
    void choiceNotAllowedKeepsDefault();
    void unsatisfiableGroupIsAProblem();
    void conditionTrees_data();
    void conditionTrees();
    void versionConditions_data();
    void versionConditions();
    void versionsNotGivenAreNoted();
    void prerequisites_data();
    void prerequisites();
    void filesOfUnchosenOptions_data();
    void filesOfUnchosenOptions();
    void listsRunInTheOrderHeld();
};

// Groups nest to any depth, each with its own operator; an empty group holds as its operator
// says. Flags: A=On; files: Main.esp Active.
void TestSimulation::conditionTrees_data() {
    QTest::addColumn<QString>("op");
    QTest::addColumn<QList<CDependency>>("conditions");
    QTest::addColumn<bool>("holds");
    const CDependency aOn = dependency("flag:A=On");
    const CDependency aOff = dependency("flag:A=Off");
    const CDependency mainActive = dependency("file:Main.esp=Active");
    const CDependency mainMissing = dependency("file:Main.esp=Missing");
    QTest::newRow("(A Off or A On) and Main Active")
        << "And" << QList{ProjectParts::conditionGroup("Or", {aOff, aOn}), mainActive} << true;
    QTest::newRow("(A Off or Main Missing) and Main Active")
        << "And" << QList{ProjectParts::conditionGroup("Or", {aOff, mainMissing}), mainActive}
        << false;
    QTest::newRow("A Off or (A On and Main Active)")
        << "Or" << QList{aOff, ProjectParts::conditionGroup("And", {aOn, mainActive})} << true;
    QTest::newRow("A Off or (A On and Main Missing)")
        << "Or" << QList{aOff, ProjectParts::conditionGroup("And", {aOn, mainMissing})} << false;
    QTest::newRow("group without operator is And")
        << "Or" << QList{ProjectParts::conditionGroup("", {aOn, aOff})} << false;
    QTest::newRow("three levels")
        << "And"
        << QList{ProjectParts::conditionGroup(
               "Or", {aOff, ProjectParts::conditionGroup(
                                "And", {ProjectParts::conditionGroup("Or", {aOn})})})}
        << true;
    QTest::newRow("empty And group holds")
        << "And" << QList{ProjectParts::conditionGroup("And", {}), aOn} << true;
    QTest::newRow("empty Or group never holds")
        << "Or" << QList{ProjectParts::conditionGroup("Or", {}), aOff} << false;
}

void TestSimulation::conditionTrees() {
    QFETCH(QString, op);
    QFETCH(QList<CDependency>, conditions);
    QFETCH(bool, holds);
    FileStates files;
    files.set("Main.esp", "Active");
    QCOMPARE(dependenciesHold(op, conditions, Flags{{"A", "On"}}, files), holds);
}

// Four integers compared, missing parts 0; a kind without a version given counts as met.
void TestSimulation::versionConditions_data() {
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("condition");
    QTest::addColumn<bool>("holds");
    QTest::newRow("equal") << "game=1.6.1170"
                           << "game:=1.6.1170" << true;
    QTest::newRow("newer") << "game=1.6.1170"
                           << "game:=1.5.97" << true;
    QTest::newRow("older") << "game=1.5.97"
                           << "game:=1.6.1170" << false;
    QTest::newRow("numbers, not text") << "game=1.10"
                                       << "game:=1.9" << true;
    QTest::newRow("missing parts are 0") << "fose=2"
                                         << "fose:=2.0.0.0" << true;
    QTest::newRow("fourth part counts") << "fose=2.0.0.1"
                                        << "fose:=2.0.0.2" << false;
    QTest::newRow("other kind not given") << "fose=1"
                                          << "game:=99" << true;
    QTest::newRow("nothing given") << ""
                                   << "skse:=2.2.6" << true;
    QTest::newRow("unreadable wanted version counts as 0") << "game=0.1"
                                                           << "game:=1.6b" << true;
    QTest::newRow("mod manager") << "fomm=0.13.21"
                                 << "fomm:=0.14" << false;
}

void TestSimulation::versionConditions() {
    QFETCH(QString, given);
    QFETCH(QString, condition);
    QFETCH(bool, holds);
    Versions versions;
    if (!given.isEmpty())
        QCOMPARE(parseVersions(given, &versions), QString());
    QCOMPARE(dependencyHolds(dependency(condition), Flags(), Environment({}, versions)), holds);
}

// A run whose conditions test a version it was not given says that it counted them as met.
void TestSimulation::versionsNotGivenAreNoted() {
    CFOMOD project;
    project.vSteps = {step("S", {group("G", "SelectAny", {option("O")})}, {"game:=1.6"})};
    CConditionalFile conditional;
    conditional.vDependencies = {ProjectParts::conditionGroup("Or", {dependency("skse:=2.2")})};
    project.vConditionalFiles = {conditional};

    const SimulationResult unknown = simulate(project, kTree, Environment(), {});
    QCOMPARE(unknown.vNotes.size(), 2);
    QVERIFY(unknown.vNotes[0].contains("no game version given"));
    QVERIFY(unknown.vNotes[1].contains("no skse version given"));

    Versions versions;
    QCOMPARE(parseVersions("game=1.5,skse=2.2.6", &versions), QString());
    const SimulationResult known = simulate(project, kTree, Environment({}, versions), {});
    QCOMPARE(known.vNotes, QStringList());
    QCOMPARE(shownStepNames(known), QStringList()); // game 1.5 is older than 1.6

    // Bad version texts are refused whole, keeping what was set.
    for (const char* bad : {"game", "game=", "game=1.x", "game=1.2.3.4.5", "sse=1", "game=1,"}) {
        Versions kept = versions;
        QVERIFY2(!parseVersions(bad, &kept).isEmpty(), bad);
        QVERIFY(kept.atLeast("game", "1.5") && !kept.atLeast("game", "1.6"));
    }
}

// Prerequisites are tested before any step: when they fail the run ends with one problem and
// nothing shown or installed, not even the required files.
void TestSimulation::prerequisites_data() {
    QTest::addColumn<QString>("op");
    QTest::addColumn<QList<CDependency>>("conditions");
    QTest::addColumn<bool>("met");
    const CDependency skyrim = dependency("file:Skyrim.esm=Active");
    QTest::newRow("none") << "" << QList<CDependency>{} << true;
    QTest::newRow("file met") << "And" << QList{skyrim} << true;
    QTest::newRow("file not met") << "" << QList{dependency("file:Other.esm=Active")} << false;
    QTest::newRow("nested Or met")
        << "And"
        << QList{ProjectParts::conditionGroup("Or", {dependency("file:Other.esm=Active"), skyrim})}
        << true;
    QTest::newRow("flag set by a step does not count")
        << "And" << QList{dependency("flag:F=On")} << false;
    QTest::newRow("version too old") << "Or" << QList{dependency("game:=2.0")} << false;
}

void TestSimulation::prerequisites() {
    QFETCH(QString, op);
    QFETCH(QList<CDependency>, conditions);
    QFETCH(bool, met);
    CFOMOD project;
    project.sModuleOperator = op;
    project.vModuleDependencies = conditions;
    project.vRequiredFiles = {file("core.esp", "core.esp")};
    project.vSteps = {step("S", {group("G", "SelectAll", {option("O", "Optional", {"F=On"})})})};
    FileStates files;
    files.set("Skyrim.esm", "Active");
    Versions versions;
    versions.set("game", "1.6");
    const SimulationResult result = simulate(project, kTree, Environment(files, versions), {});
    QCOMPARE(result.bPrerequisitesMet, met);
    QCOMPARE(result.sPrerequisites.isEmpty(), conditions.isEmpty());
    if (met) {
        QCOMPARE(result.vProblems, QStringList());
        QCOMPARE(shownStepNames(result), QStringList{"S"});
        QCOMPARE(result.vFiles.size(), 1);
        return;
    }
    QCOMPARE(result.vProblems.size(), 1);
    QVERIFY2(result.vProblems[0].startsWith("prerequisites not met: " + result.sPrerequisites),
             qPrintable(result.vProblems[0]));
    QVERIFY(result.vSteps.isEmpty() && result.vFiles.isEmpty() && result.flags.isEmpty());
}

// Vortex installs an unchosen option's alwaysInstall files, and its installIfUsable files
// unless the option is NotUsable; other texts ("yes", "True") do not count.
void TestSimulation::filesOfUnchosenOptions_data() {
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("alwaysInstall");
    QTest::addColumn<QString>("installIfUsable");
    QTest::addColumn<bool>("installed");
    QTest::newRow("plain") << "Optional"
                           << ""
                           << "" << false;
    QTest::newRow("always, Optional") << "Optional"
                                      << "true"
                                      << "" << true;
    QTest::newRow("always, NotUsable") << "NotUsable"
                                       << "1"
                                       << "" << true;
    QTest::newRow("if usable, Optional") << "Optional"
                                         << ""
                                         << "true" << true;
    QTest::newRow("if usable, CouldBeUsable") << "CouldBeUsable"
                                              << ""
                                              << "1" << true;
    QTest::newRow("if usable, NotUsable") << "NotUsable"
                                          << ""
                                          << "true" << false;
    QTest::newRow("false") << "Optional"
                           << "false"
                           << "0" << false;
    QTest::newRow("bad values") << "Optional"
                                << "yes"
                                << "True" << false;
}

void TestSimulation::filesOfUnchosenOptions() {
    QFETCH(QString, type);
    QFETCH(QString, alwaysInstall);
    QFETCH(QString, installIfUsable);
    QFETCH(bool, installed);
    CPlugin chosen = option("Chosen", "Required", {}, "chosen.esp");
    CPlugin other = option("Other", type, {}, "other.esp");
    other.vFiles[0].sAlwaysInstall = alwaysInstall;
    other.vFiles[0].sInstallIfUsable = installIfUsable;
    CFOMOD project;
    project.vSteps = {step("S", {group("G", "SelectExactlyOne", {chosen, other})})};
    const SimulationResult result = simulate(project, kTree, Environment(), {});
    QCOMPARE(result.vSteps[0].vGroups[0].selectedNames(), QStringList{"Chosen"});
    QStringList expected{"chosen.esp <- chosen.esp"};
    if (installed)
        expected.append("other.esp <- other.esp");
    QCOMPARE(installedPaths(result.vFiles), expected);
}

// Steps, groups and options run in the order the model holds them, whatever order the file
// asked for: the reader has already put them in the order shown.
void TestSimulation::listsRunInTheOrderHeld() {
    CFOMOD project;
    CPluginGroup options = group("G", "SelectAny", {option("b"), option("a")});
    options.sPluginOrder = "Ascending";
    project.vSteps = {step("Z", {options}), step("Y", {group("G", "SelectAny", {option("c")})})};
    project.vSteps[0].sGroupOrder = "Descending";
    project.sStepOrder = "Sideways"; // a bad value changes nothing
    const SimulationResult result = simulate(project, kTree, Environment(), {});
    QCOMPARE(shownStepNames(result), (QStringList{"Z", "Y"}));
    QCOMPARE(result.vSteps[0].vGroups[0].vOptions[0].sName, QStringLiteral("b"));
}

void TestSimulation::conditionsHold_data() {
    QTest::addColumn<QString>("op");
    QTest::addColumn<QStringList>("conditions");
    QTest::addColumn<bool>("holds");
    // Flags: A=On, B="Off " (trailing space); files: Main.esp Active, Patch.esp Inactive.
    QTest::newRow("no condition, And") << "And" << QStringList{} << true;
    QTest::newRow("no condition, Or") << "Or" << QStringList{} << false;
    QTest::newRow("flag equal") << "And" << QStringList{"flag:A=On"} << true;
    QTest::newRow("flag case-sensitive") << "And" << QStringList{"flag:A=on"} << false;
    QTest::newRow("flag not trimmed") << "And" << QStringList{"flag:B=Off"} << false;
    QTest::newRow("unset flag is empty") << "And" << QStringList{"flag:Z="} << true;
    QTest::newRow("set flag is not empty") << "And" << QStringList{"flag:A="} << false;
    QTest::newRow("file active, name case") << "And" << QStringList{"file:main.ESP=Active"} << true;
    QTest::newRow("file inactive") << "And" << QStringList{"file:Patch.esp=Inactive"} << true;
    QTest::newRow("unlisted file missing")
        << "And" << QStringList{"file:Other.esp=Missing"} << true;
    QTest::newRow("unknown kind never holds") << "Or" << QStringList{"plugin:A=On"} << false;
    QTest::newRow("And, one fails") << "And" << QStringList{"flag:A=On", "flag:A=Off"} << false;
    QTest::newRow("Or, one holds") << "Or" << QStringList{"flag:A=Off", "flag:A=On"} << true;
    QTest::newRow("unknown operator is And")
        << "Xor" << QStringList{"flag:A=On", "flag:A=Off"} << false;
    QTest::newRow("operator case-sensitive")
        << "or" << QStringList{"flag:A=Off", "flag:A=On"} << false;
}

void TestSimulation::conditionsHold() {
    QFETCH(QString, op);
    QFETCH(QStringList, conditions);
    QFETCH(bool, holds);
    Flags flags{{"A", "On"}, {"B", "Off "}};
    FileStates files;
    files.set("Main.esp", "Active");
    files.set("Patch.esp", "Inactive");
    QCOMPARE(dependenciesHold(op, dependencies(conditions), flags, files), holds);
}

void TestSimulation::typePatternsInOrder_data() {
    QTest::addColumn<QString>("flagValue");
    QTest::addColumn<QString>("type");
    QTest::newRow("first pattern") << "1"
                                   << "Required";
    QTest::newRow("second pattern") << "2"
                                    << "NotUsable";
    QTest::newRow("no pattern holds") << "3"
                                      << "Recommended";
}

void TestSimulation::typePatternsInOrder() {
    QFETCH(QString, flagValue);
    QFETCH(QString, type);
    CPlugin plugin = option("P", "Recommended");
    // Both patterns hold for "1": the first wins.
    CDependencyPattern first{"Or", "Required", dependencies({"flag:F=1"}), {}};
    CDependencyPattern second{"Or", "NotUsable", dependencies({"flag:F=1", "flag:F=2"}), {}};
    plugin.vPatterns = {first, second};
    QCOMPARE(optionTypeName(effectiveType(plugin, Flags{{"F", flagValue}}, FileStates())), type);
    plugin.vPatterns.clear();
    plugin.sType = "Mandatory";
    QCOMPARE(effectiveType(plugin, Flags(), FileStates()), OptionType::Optional);
}

void TestSimulation::defaultChoices_data() {
    QTest::addColumn<QString>("groupType");
    QTest::addColumn<QString>("types");
    QTest::addColumn<QString>("selected");
    // Types: R Required, r Recommended, o Optional, c CouldBeUsable, n NotUsable.
    QTest::newRow("ExactlyOne: first Required") << "SelectExactlyOne"
                                                << "orRR"
                                                << "..x.";
    QTest::newRow("ExactlyOne: first Recommended") << "SelectExactlyOne"
                                                   << "orr"
                                                   << ".x.";
    QTest::newRow("ExactlyOne: first usable") << "SelectExactlyOne"
                                              << "nco"
                                              << ".x.";
    QTest::newRow("AtMostOne: Recommended") << "SelectAtMostOne"
                                            << "or"
                                            << ".x";
    QTest::newRow("AtMostOne: none") << "SelectAtMostOne"
                                     << "oc"
                                     << "..";
    QTest::newRow("AtLeastOne: Required and Recommended") << "SelectAtLeastOne"
                                                          << "Rorr"
                                                          << "x.xx";
    QTest::newRow("AtLeastOne: first usable") << "SelectAtLeastOne"
                                              << "noo"
                                              << ".x.";
    QTest::newRow("All: every usable") << "SelectAll"
                                       << "onR"
                                       << "x.x";
    QTest::newRow("Any: Required and Recommended") << "SelectAny"
                                                   << "oRrn"
                                                   << ".xx.";
    QTest::newRow("unknown type is Any") << "PickSome"
                                         << "or"
                                         << ".x";
}

void TestSimulation::defaultChoices() {
    QFETCH(QString, groupType);
    QFETCH(QString, types);
    QFETCH(QString, selected);
    QCOMPARE(marks(defaultSelection(groupTypeOf(groupType), typesOf(types))), selected);
}

void TestSimulation::selectionRules_data() {
    QTest::addColumn<QString>("groupType");
    QTest::addColumn<QString>("types");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("ExactlyOne, one") << "SelectExactlyOne"
                                     << "oo"
                                     << ".x" << true;
    QTest::newRow("ExactlyOne, none") << "SelectExactlyOne"
                                      << "oo"
                                      << ".." << false;
    QTest::newRow("ExactlyOne, two") << "SelectExactlyOne"
                                     << "oo"
                                     << "xx" << false;
    QTest::newRow("AtMostOne, none") << "SelectAtMostOne"
                                     << "oo"
                                     << ".." << true;
    QTest::newRow("AtMostOne, two") << "SelectAtMostOne"
                                    << "oo"
                                    << "xx" << false;
    QTest::newRow("AtLeastOne, none") << "SelectAtLeastOne"
                                      << "oo"
                                      << ".." << false;
    QTest::newRow("AtLeastOne, two") << "SelectAtLeastOne"
                                     << "oo"
                                     << "xx" << true;
    QTest::newRow("All, one left out") << "SelectAll"
                                       << "oo"
                                       << "x." << false;
    QTest::newRow("All, NotUsable left out") << "SelectAll"
                                             << "on"
                                             << "x." << true;
    QTest::newRow("Any, NotUsable chosen") << "SelectAny"
                                           << "on"
                                           << ".x" << false;
    QTest::newRow("Any, Required left out") << "SelectAny"
                                            << "oR"
                                            << "x." << false;
    QTest::newRow("Any, nothing") << "SelectAny"
                                  << "oo"
                                  << ".." << true;
}

void TestSimulation::selectionRules() {
    QFETCH(QString, groupType);
    QFETCH(QString, types);
    QFETCH(QString, selected);
    QFETCH(bool, allowed);
    const QString fault =
        selectionFault(groupTypeOf(groupType), typesOf(types), fromMarks(selected));
    QVERIFY2(fault.isEmpty() == allowed, qPrintable(fault));
}

void TestSimulation::clicks_data() {
    QTest::addColumn<QString>("groupType");
    QTest::addColumn<QString>("types");
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("option");
    QTest::addColumn<bool>("select");
    QTest::addColumn<QString>("after"); // unchanged when the click is refused
    QTest::newRow("radio moves") << "SelectExactlyOne"
                                 << "ooo"
                                 << "x.." << 2 << true << "..x";
    QTest::newRow("radio cannot be cleared") << "SelectExactlyOne"
                                             << "oo"
                                             << "x." << 0 << false << "x.";
    QTest::newRow("at most one moves") << "SelectAtMostOne"
                                       << "oo"
                                       << "x." << 1 << true << ".x";
    QTest::newRow("at most one clears") << "SelectAtMostOne"
                                        << "oo"
                                        << "x." << 0 << false << "..";
    QTest::newRow("Required fixed") << "SelectAny"
                                    << "Ro"
                                    << "x." << 0 << false << "x.";
    QTest::newRow("radio cannot leave Required") << "SelectExactlyOne"
                                                 << "Ro"
                                                 << "x." << 1 << true << "x.";
    QTest::newRow("NotUsable refused") << "SelectAny"
                                       << "on"
                                       << ".." << 1 << true << "..";
    QTest::newRow("last of at least one") << "SelectAtLeastOne"
                                          << "oo"
                                          << "x." << 0 << false << "x.";
    QTest::newRow("all fixed") << "SelectAll"
                               << "oo"
                               << "xx" << 1 << false << "xx";
    QTest::newRow("any toggles") << "SelectAny"
                                 << "oo"
                                 << "x." << 1 << true << "xx";
}

void TestSimulation::clicks() {
    QFETCH(QString, groupType);
    QFETCH(QString, types);
    QFETCH(QString, before);
    QFETCH(int, option);
    QFETCH(bool, select);
    QFETCH(QString, after);
    QList<bool> selected = fromMarks(before);
    const bool accepted = toggle(groupTypeOf(groupType), typesOf(types), selected, option, select);
    QCOMPARE(marks(selected), after);
    QCOMPARE(accepted, before != after);
}

// Step 2 shows only for "Big" textures; step 3 only for "Small". Going back to step 1 and
// choosing the other undoes the flag of the first visit.
void TestSimulation::stepsShownByFlagsAndUndoneByBack() {
    CFOMOD project;
    project.vSteps = {
        step("Size", {group("Textures", "SelectExactlyOne",
                            {option("Big", "Optional", {"size=big"}),
                             option("Small", "Optional", {"size=small"})})}),
        step("Big extras", {group("G", "SelectAny", {option("Parallax", "Recommended")})},
             {"flag:size=big"}),
        step("Small extras", {group("G", "SelectAny", {option("Lod")})}, {"flag:size=small"}),
        step("Patches", {}, {"file:Main.esp=Active", "flag:size=big"}, "Or"),
    };
    InstallWizard wizard(project, FileStates());
    QCOMPARE(wizard.current()->iStep, 0);
    QVERIFY(!wizard.canGoBack());
    wizard.next();
    QCOMPARE(wizard.current()->iStep, 1);
    QCOMPARE(wizard.flagsAfterCurrent().value("size"), QString("big"));

    QVERIFY(wizard.back());
    QCOMPARE(wizard.current()->iStep, 0);
    QCOMPARE(wizard.current()->flagsBefore, Flags());
    QVERIFY(wizard.select(0, 1, true));
    wizard.next();
    QCOMPARE(wizard.current()->iStep, 2);
    wizard.next();
    QVERIFY(wizard.isFinished());
    SimulationResult result = wizard.result(QString());
    QCOMPARE(shownStepNames(result), QStringList({"Size", "Small extras"}));
    QCOMPARE(result.flags, (QMap<QString, QString>{{"size", "small"}}));

    // With the file active the Or step shows too.
    FileStates files;
    files.set("main.esp", "Active");
    result = simulate(project, QString(), files, {});
    QCOMPARE(shownStepNames(result), QStringList({"Size", "Big extras", "Patches"}));
    QCOMPARE(result.vSteps[1].vGroups[0].selectedNames(), QStringList{"Parallax"});
}

void TestSimulation::laterOptionOverwritesFlag() {
    CFOMOD project;
    project.vSteps = {step("S", {group("A", "SelectAny",
                                       {option("One", "Required", {"f=1", "g=1"}),
                                        option("Two", "Required", {"f=2"})}),
                                 group("B", "SelectAny", {option("Three", "Required", {"g=3"})})})};
    const SimulationResult result = simulate(project, QString(), FileStates(), {});
    QCOMPARE(result.flags, (QMap<QString, QString>{{"f", "2"}, {"g", "3"}}));
}

// A step's option types follow the flags set by the steps before it, not its own choices.
void TestSimulation::typesResolvedWithFlagsOfEarlierSteps() {
    CPlugin gated = option("Gated");
    gated.vPatterns = {CDependencyPattern{"And", "Required", dependencies({"flag:on=yes"}), {}}};
    CFOMOD project;
    project.vSteps = {
        step("First", {group("G", "SelectAny", {option("Set", "Optional", {"on=yes"}), gated})}),
        step("Second", {group("G", "SelectAny", {gated})})};
    InstallWizard wizard(project, FileStates());
    QCOMPARE(wizard.current()->vGroups[0].vTypes[1], OptionType::Optional);
    QVERIFY(wizard.select(0, 0, true));
    wizard.next();
    QCOMPARE(wizard.current()->vGroups[0].vTypes[0], OptionType::Required);
    QCOMPARE(wizard.current()->vGroups[0].vSelected, QList<bool>{true});
}

void TestSimulation::filesInPriorityOrderWithOverlaps() {
    CFOMOD project;
    project.vRequiredFiles = {file("core.esp", "", 5), file("base\\a.dds", "Textures\\A.dds", 0)};
    CPlugin chosen = option("Chosen", "Required", {"hd=1"});
    chosen.vFiles = {file("hd\\a.dds", "textures\\a.dds", 0), file("hd.esp", "", 9)};
    project.vSteps = {
        step("S", {group("G", "SelectAny", {chosen, option("Left", "Optional", {}, "left.esp")})})};
    CConditionalFile whenHd{"And", dependencies({"flag:hd=1"}), {file("patch.esp", "", 5)}, {}};
    CConditionalFile never{"Or", {}, {file("never.esp", "", 0)}, {}};
    // Folders not on disk at one destination merge: no overlap.
    project.vRequiredFiles +=
        {file("absent1", "", 20, "folder"), file("absent2", "", 20, "folder")};
    project.vConditionalFiles = {never, whenHd};

    const SimulationResult result = simulate(project, QString(), FileStates(), {});
    QCOMPARE(installedPaths(result.vFiles),
             QStringList({"Textures\\A.dds <- base\\a.dds", "textures\\a.dds <- hd\\a.dds",
                          "core.esp <- core.esp", "patch.esp <- patch.esp", "hd.esp <- hd.esp",
                          " <- absent1", " <- absent2"}));
    QStringList origins;
    for (const InstalledFile& f : result.vFiles)
        origins.append(f.sOrigin);
    QCOMPARE(origins,
             QStringList({"required", "step 0 group 0 option 0", "required", "conditional 1",
                          "step 0 group 0 option 0", "required", "required"}));
    QVERIFY(result.vFiles[0].bOverwritten);
    QVERIFY(!result.vFiles[1].bOverwritten);
    QCOMPARE(result.vOverlaps.size(), 1);
    QCOMPARE(result.vOverlaps[0].sDestination, QString("textures\\a.dds"));
    QCOMPARE(result.vOverlaps[0].vSources, QStringList({"base\\a.dds", "hd\\a.dds"}));
}

void TestSimulation::destinations_data() {
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QStringList>("installed");
    QTest::newRow("file to its destination")
        << "file"
        << "readme.txt"
        << "Docs\\Read.txt" << QStringList{"Docs\\Read.txt <- readme.txt"};
    QTest::newRow("file, empty destination") << "file"
                                             << "meshes/a.nif"
                                             << "" << QStringList{"a.nif <- meshes\\a.nif"};
    QTest::newRow("file, destination ends in separator")
        << "file"
        << "meshes\\a.nif"
        << "data/meshes/" << QStringList{"data\\meshes\\a.nif <- meshes\\a.nif"};
    QTest::newRow("folder absent") << "folder"
                                   << "textures"
                                   << "Textures" << QStringList{"Textures <- textures"};
}

void TestSimulation::destinations() {
    QFETCH(QString, type);
    QFETCH(QString, source);
    QFETCH(QString, destination);
    QFETCH(QStringList, installed);
    const QList<InstalledFile> files =
        installFiles({{file(source, destination, 0, type), "required"}}, kTree, nullptr);
    QCOMPARE(installedPaths(files), installed);
    QCOMPARE(files.first().sType, type);
}

// Files below a folder in the order of their relative paths by character code ("B" < "a").
void TestSimulation::folderExpansion() {
    const QList<InstalledFile> files =
        installFiles({{file("meshes", "", 0, "folder"), "required"},
                      {file("meshes\\sub", "Meshes\\Extra\\", 1, "folder"), "required"}},
                     kTree, nullptr);
    QCOMPARE(installedPaths(files), QStringList({"B.nif <- meshes\\B.nif", "a.nif <- meshes\\a.nif",
                                                 "sub\\b.nif <- meshes\\sub\\b.nif",
                                                 "Meshes\\Extra\\b.nif <- meshes\\sub\\b.nif"}));
    for (const InstalledFile& f : files)
        QCOMPARE(f.sType, QString("file"));
}

void TestSimulation::choicesByName() {
    CFOMOD project;
    project.vSteps = {
        step("S", {group("G", "SelectAny", {option("A", "Recommended", {"a=1"}), option("B")})}),
        step("Hidden", {group("H", "SelectAny", {option("X")})}, {"flag:never=1"})};
    QList<ResolvedChoice> resolved;
    QCOMPARE(resolveChoices(project, {{"S", "G", {"B"}}, {"Hidden", "H", {"X"}}}, &resolved),
             QString());
    const SimulationResult result = simulate(project, QString(), FileStates(), resolved);
    QCOMPARE(result.vSteps.size(), 1);
    QCOMPARE(result.vSteps[0].vGroups[0].selectedNames(), QStringList{"B"});
    QVERIFY(result.flags.isEmpty());
    QVERIFY(result.vProblems.isEmpty());

    QVERIFY(resolveChoices(project, {{"T", "G", {}}}, &resolved).contains("no step named \"T\""));
    QVERIFY(resolveChoices(project, {{"S", "X", {}}}, &resolved).contains("no group named \"X\""));
    QVERIFY(
        resolveChoices(project, {{"S", "G", {"Z"}}}, &resolved).contains("no option named \"Z\""));
}

void TestSimulation::choiceNotAllowedKeepsDefault() {
    CFOMOD project;
    project.vSteps = {step("S", {group("G", "SelectExactlyOne",
                                       {option("A", "Recommended"), option("B"), option("C")})})};
    QList<ResolvedChoice> resolved;
    QCOMPARE(resolveChoices(project, {{"S", "G", {"B", "C"}}}, &resolved), QString());
    const SimulationResult result = simulate(project, QString(), FileStates(), resolved);
    QCOMPARE(result.vSteps[0].vGroups[0].selectedNames(), QStringList{"A"});
    QCOMPARE(result.vProblems.size(), 1);
    QVERIFY2(result.vProblems[0].contains("at most one"), qPrintable(result.vProblems[0]));
}

void TestSimulation::unsatisfiableGroupIsAProblem() {
    CFOMOD project;
    project.vSteps = {
        step("S", {group("Two required", "SelectExactlyOne",
                         {option("A", "Required"), option("B", "Required")}),
                   group("Nothing usable", "SelectAtLeastOne", {option("N", "NotUsable")}),
                   group("Empty", "SelectAny", {})})};
    const SimulationResult result = simulate(project, QString(), FileStates(), {});
    QCOMPARE(result.vProblems.size(), 2);
    QVERIFY(result.vProblems[0].startsWith("step \"S\" group \"Two required\""));
    QVERIFY(result.vProblems[1].startsWith("step \"S\" group \"Nothing usable\""));
}

QTEST_GUILESS_MAIN(TestSimulation)
#include "tst_simulation.moc"
