#include "installer/Merge.h"

#include <algorithm>

namespace {

// The donor's elements first, then the project's own. Built as a new list, so merging a
// project with itself doubles it instead of reading what it is writing.
template <typename T> void putInFront(QList<T>& own, const QList<T>& donor) {
    if (donor.isEmpty())
        return;
    QList<T> merged;
    merged.reserve(donor.size() + own.size());
    merged.append(donor);
    merged.append(own);
    own = std::move(merged);
}

bool isOr(const QString& sOperator) {
    return sOperator == u"Or";
}

// The conditions as parts of an And: themselves, or one group when they are joined by Or.
QList<CDependency> asAndParts(const QString& sOperator, const QList<CDependency>& conditions) {
    if (!isOr(sOperator))
        return conditions;
    CDependency group;
    group.sType = QStringLiteral("group");
    group.sOperator = sOperator;
    group.vDependencies = conditions;
    return {group};
}

void joinPrerequisites(CFOMOD& project, const CFOMOD& donor) {
    if (donor.vModuleDependencies.isEmpty())
        return;
    if (project.vModuleDependencies.isEmpty()) {
        project.sModuleOperator = donor.sModuleOperator;
        project.vModuleDependencies = donor.vModuleDependencies;
        return;
    }
    QList<CDependency> joined = asAndParts(donor.sModuleOperator, donor.vModuleDependencies);
    joined.append(asAndParts(project.sModuleOperator, project.vModuleDependencies));
    if (isOr(project.sModuleOperator))
        project.sModuleOperator = QStringLiteral("And");
    project.vModuleDependencies = std::move(joined);
}

// Whether managers, sorting the steps as the order says, show them as listed. "" is sorted
// as "Ascending"; any other value shows them as listed.
bool showsAsListed(const QString& order, const QList<CStep>& steps) {
    const bool ascending = order.isEmpty() || order == u"Ascending";
    if (!ascending && order != u"Descending")
        return true;
    return std::is_sorted(steps.cbegin(), steps.cend(), [&](const CStep& a, const CStep& b) {
        const int compared = a.sName.compare(b.sName, Qt::CaseInsensitive);
        return ascending ? compared < 0 : compared > 0;
    });
}

} // namespace

void mergeProjects(CFOMOD& project, const CFOMOD& donor) {
    putInFront(project.vSteps, donor.vSteps);
    if (!showsAsListed(project.sStepOrder, project.vSteps))
        project.sStepOrder = QStringLiteral("Explicit");
    putInFront(project.vRequiredFiles, donor.vRequiredFiles);
    putInFront(project.vConditionalFiles, donor.vConditionalFiles);
    joinPrerequisites(project, donor);
}
