#include "editor/OfferedNames.h"

#include <QtTest>

#include <functional>

class TestOfferedNames : public QObject {
    Q_OBJECT

private slots:
    void collectKeepsFirstOrderWithoutRepeats();
    void cacheFollowsEveryChange_data();
    void cacheFollowsEveryChange();
};

namespace {

CDependency flagDependency(const QString& name) {
    CDependency dependency;
    dependency.sType = QStringLiteral("flag");
    dependency.sName = name;
    dependency.sValue = QStringLiteral("On");
    return dependency;
}

// Two steps; the second's plugin repeats a flag of the first and has a type pattern.
CFOMOD twoStepProject() {
    CFOMOD project;
    for (int s = 0; s < 2; ++s) {
        CStep step(QStringLiteral("Step %1").arg(s));
        CPluginGroup group(QStringLiteral("Group"), QStringLiteral("SelectAny"));
        CPlugin plugin(QStringLiteral("Plugin %1").arg(s));
        plugin.vConditionFlags = {CCondition(QStringLiteral("shared"), QStringLiteral("On")),
                                  CCondition(QStringLiteral("own%1").arg(s), QStringLiteral("x"))};
        if (s == 1) {
            CDependencyPattern pattern;
            pattern.vDependencies = {flagDependency(QStringLiteral("needed"))};
            plugin.vPatterns.append(pattern);
        }
        group.vPlugins.append(plugin);
        step.vGroups.append(group);
        project.vSteps.append(step);
    }
    return project;
}

bool sameOffer(const OfferedNames& a, const OfferedNames& b) {
    return a.names == b.names && a.values == b.values && a.patternNames == b.patternNames;
}

} // namespace

void TestOfferedNames::collectKeepsFirstOrderWithoutRepeats() {
    const OfferedNames offered = OfferedNames::collect(twoStepProject());
    QCOMPARE(offered.names, QStringList({"shared", "own0", "own1"}));
    QVERIFY(offered.values.endsWith(QStringLiteral("x")));
    QCOMPARE(offered.values.count(QStringLiteral("x")), 1);
    QCOMPARE(offered.patternNames, QStringList({"needed"}));
}

using Edit = std::function<void(CFOMOD&)>;

void TestOfferedNames::cacheFollowsEveryChange_data() {
    QTest::addColumn<Edit>("edit");
    QTest::newRow("nothing changed, only read through write access") << Edit([](CFOMOD& p) {
        CPlugin& plugin = p.vSteps[1].vGroups[0].vPlugins[0];
        QVERIFY(!plugin.sName.isEmpty());
    });
    QTest::newRow("flag renamed deep in the second step") << Edit([](CFOMOD& p) {
        p.vSteps[1].vGroups[0].vPlugins[0].vConditionFlags[1].sName = QStringLiteral("renamed");
    });
    QTest::newRow("flag value changed") << Edit([](CFOMOD& p) {
        p.vSteps[0].vGroups[0].vPlugins[0].vConditionFlags[0].sValue = QStringLiteral("Off2");
    });
    QTest::newRow("pattern dependency renamed") << Edit([](CFOMOD& p) {
        p.vSteps[1].vGroups[0].vPlugins[0].vPatterns[0].vDependencies[0].sName =
            QStringLiteral("other");
    });
    QTest::newRow("plugin added") << Edit([](CFOMOD& p) {
        CPlugin plugin(QStringLiteral("New"));
        plugin.vConditionFlags = {CCondition(QStringLiteral("fresh"), QStringLiteral("On"))};
        p.vSteps[0].vGroups[0].vPlugins.append(plugin);
    });
    QTest::newRow("steps moved") << Edit([](CFOMOD& p) { p.vSteps.swapItemsAt(0, 1); });
    QTest::newRow("step deleted") << Edit([](CFOMOD& p) { p.vSteps.removeAt(0); });
    QTest::newRow("project replaced") << Edit([](CFOMOD& p) { p = CFOMOD(); });
}

// Whatever was changed, and however, the cache offers what gathering afresh offers.
void TestOfferedNames::cacheFollowsEveryChange() {
    QFETCH(Edit, edit);
    CFOMOD project = twoStepProject();
    OfferedNamesCache cache;
    QVERIFY(sameOffer(cache.of(project), OfferedNames::collect(project)));
    edit(project);
    QVERIFY(sameOffer(cache.of(project), OfferedNames::collect(project)));
    // Asked again without a change, it still agrees.
    QVERIFY(sameOffer(cache.of(project), OfferedNames::collect(project)));
}

QTEST_GUILESS_MAIN(TestOfferedNames)
#include "tst_offered_names.moc"
