#include "check/VersionChecks.h"

#include "check/ProjectWalk.h"
#include "model/FomodTypes.h"

namespace {

// Mod Organizer 2 answers every mod manager version condition with this version.
constexpr FomodTypes::VersionNumber kOrganizerManagerVersion{0, 13, 21, 0};

} // namespace

void checkVersions(const CFOMOD& project, FindingCollector& out) {
    ProjectWalk::forEachDependencyList(
        project, [&](const QString&, const QList<CDependency>& conditions, const ProjectPlace& at) {
            ProjectWalk::forEachCondition(conditions, [&](const CDependency& condition, int top) {
                if (condition.sType != u"fomm")
                    return;
                const auto wanted = FomodTypes::versionNumber(condition.sValue);
                if (wanted && *wanted > kOrganizerManagerVersion)
                    out.warning(QStringLiteral("manager-version"),
                                QStringLiteral("the condition on mod manager version %1 never "
                                               "holds in Mod Organizer 2, which reports 0.13.21: "
                                               "ask for 0.13.21 or lower, or test a file instead")
                                    .arg(condition.sValue),
                                ProjectWalk::entryOf(at, top));
            });
        });
}
